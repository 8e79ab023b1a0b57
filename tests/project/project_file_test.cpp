#include "project/project_file.h"

#include <QImage>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>

#include "gui/file_util.h"
#include "project/thumbnails.h"
#include "support/random_text.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::SampleProject;
using test::WriteAll;
namespace fs = std::filesystem;

constexpr char kMinimal[] =
    R"(<?xml version="1.0" encoding="UTF-8"?><vorlane version="129" uid="1" title="" )"
    R"(advancedscriptmode="0" imgfolder="img" audfolder="aud"><functions/><variables/>)"
    R"(<comments/><sprites count="0"/><frames count="0"/><sounds count="0"/>)"
    R"(<musics count="0"/><backgrounds count="0"/><fonts count="0"/><objects count="0"/>)"
    R"(<scripts count="0"/><scenes count="0"/><layers count="0"/><tiles count="0"/>)"
    R"(<fns count="0"/></vorlane>)";

TEST(ProjectXmlTest, MinimalProjectIsExact) {
  Project p;
  p.projectname = "demo";
  EXPECT_EQ(ProjectXml(p), kMinimal);
}

TEST(ProjectXmlTest, EveryRecordInItsAttributeOrder) {
  const std::string expected =
      R"(<?xml version="1.0" encoding="UTF-8"?><vorlane version="129" uid="17" )"
      R"(title="My &lt;game&gt;" advancedscriptmode="0" imgfolder="img" audfolder="aud">)"
      R"(<functions>function f() {}</functions><variables>var score = 0;</variables>)"
      R"(<comments>notes &amp; more</comments>)"
      R"(<sprites count="1"><sprite name="spr_hero" centerx="6" centery="7" )"
      R"(collisionshape="Circle" collisionradius="5" collisionleft="1" collisionright="2" )"
      R"(collisiontop="3" collisionbottom="4"/></sprites>)"
      R"(<frames count="2"><frame file="0" sprite="spr_hero"/><frame file="1" sprite="spr_hero"/>)"
      R"(</frames>)"
      R"(<sounds count="1"><sound name="snd_jump" wav="jump.wav" mp3="" ogg="jump.ogg"/></sounds>)"
      R"(<musics count="1"><music name="mus_theme" wav="" mp3="theme.mp3" ogg=""/></musics>)"
      R"(<backgrounds count="1"><background name="bg_tiles" file="tiles.png" tile="1" )"
      R"(tileheight="24" tilewidth="16" tilexoffset="1" tileyoffset="2" tilexspace="3" )"
      R"(tileyspace="4"/></backgrounds>)"
      R"(<fonts count="1"><font name="fnt_score" family="Sans" size="20" bold="1" italic="0"/>)"
      R"(</fonts>)"
      R"(<objects count="4"><object name="obj_player" template="" prototype="1" scene="" )"
      R"(sprite="spr_hero" x="0" y="0" visible="1" depth="-10" collision="1" parent="" )"
      R"(direction="0" image_angle="0"/>)"
      R"(<object name="inst_11" template="obj_player" prototype="0" scene="level" )"
      R"(sprite="spr_hero" x="32" y="48" visible="1" depth="-10" collision="1" parent="" )"
      R"(direction="0" image_angle="0"/>)"
      R"(<object name="obj_wall" template="" prototype="1" scene="" sprite="" x="0" y="0" )"
      R"(visible="0" depth="5" collision="1" parent="obj_player" direction="0" image_angle="0"/>)"
      R"(<object name="inst_12" template="obj_wall" prototype="0" scene="level" sprite="" )"
      R"(x="64" y="48" visible="0" depth="5" collision="1" parent="obj_player" )"
      R"(direction="180" image_angle="-30"/></objects>)"
      R"(<scripts count="3"><script name="scr_13" object="obj_player" event="Creation" )"
      R"(parameter="">speed = 4;</script>)"
      R"(<script name="scr_14" object="obj_player" event="Collision" parameter="obj_wall">)"
      "if (a &lt; b &amp;&amp; c) {\n}</script>"
      R"(<script name="scr_15" object="obj_wall" event="Step" parameter="">x += 1;</script>)"
      R"(</scripts>)"
      R"(<scenes count="1"><scene name="level" width="1000" height="800" speed="60" red="1" )"
      R"(green="2" blue="3" background="bg_tiles" backgroundstretch="1" backgroundtilex="1" )"
      R"(backgroundtiley="0" viewportwidth="320" viewportheight="240" viewportxborder="11" )"
      R"(viewportyborder="12" viewportobject="obj_player">start();</scene></scenes>)"
      R"(<layers count="1"><layer name="lay_front" scene="level" value="500"/></layers>)"
      R"(<tiles count="2"><tile name="tile_16" background="bg_tiles" width="16" height="24" )"
      R"(x="32" y="48" top="8" left="4" depth="500" scene="level"/>)"
      R"(<tile name="tile_17" background="bg_tiles" width="16" height="24" x="48" y="48" )"
      R"(top="8" left="20" depth="500" scene="level"/></tiles>)"
      R"(<fns count="1"><fn name="add" params="a, b" description="Adds &quot;two&quot;">)"
      R"(return a + b;</fn></fns></vorlane>)";
  EXPECT_EQ(ProjectXml(SampleProject()), expected);
}

TEST(ProjectXmlTest, EscapingAndUnwritableCharacters) {
  Project p;
  p.settings.title = "a&b<c>d\"e'f\tg\x01h\ni\r";
  p.settings.comments = "x\"y'z>\r\n\x0b\t\xEF\xBF\xBE\xFF.";
  const std::string xml = ProjectXml(p);
  EXPECT_NE(xml.find(R"(title="a&amp;b&lt;c&gt;d&quot;e&apos;f&#9;gh&#10;i&#13;")"),
            std::string::npos);
  EXPECT_NE(xml.find("<comments>x\"y'z&gt;&#13;\n\t\xEF\xBF\xBD.</comments>"), std::string::npos);
}

// Every text the project file stores, each project's own first.
std::vector<std::string*> TextFields(Project& p) {
  std::vector<std::string*> f = {&p.settings.title,    &p.settings.functions, &p.settings.variables,
                                 &p.settings.comments, &p.imgfolder,          &p.audfolder};
  const auto add = [&f](auto&... fields) { (f.push_back(&fields), ...); };
  for (auto& r : p.sprites) add(r.name, r.collisionshape);
  for (auto& r : p.frames) add(r.file, r.sprite);
  for (auto& r : p.sounds) add(r.name, r.wav, r.mp3, r.ogg);
  for (auto& r : p.musics) add(r.name, r.wav, r.mp3, r.ogg);
  for (auto& r : p.backgrounds) add(r.name, r.file);
  for (auto& r : p.fonts) add(r.name, r.family);
  for (auto& r : p.objects) add(r.name, r.template_, r.scene, r.sprite, r.parent);
  for (auto& r : p.scripts) add(r.name, r.object, r.event, r.parameter, r.code);
  for (auto& r : p.scenes) add(r.name, r.background, r.viewportobject, r.code);
  for (auto& r : p.layers) add(r.name, r.scene);
  for (auto& r : p.tiles) add(r.name, r.background, r.scene);
  for (auto& r : p.fns) add(r.name, r.params, r.description, r.code);
  return f;
}

// Any text a user can enter gives a file that reads back: what XML can hold
// exactly, the rest replaced or dropped (XmlKept).
TEST(ProjectXmlTest, RandomTextsInEveryFieldReadBack) {
  std::mt19937 random(129);
  for (int round = 0; round < 300; ++round) {
    Project p = SampleProject();
    for (std::string* field : TextFields(p)) *field = test::RandomBytes(random);
    Project q;
    ProjectHeader header;
    std::string error;
    ASSERT_TRUE(ParseProjectXml(ProjectXml(p), q, &header, &error)) << error;
    q.imgfolder = header.imgfolder;
    q.audfolder = header.audfolder;
    const auto written = TextFields(p);
    const auto read = TextFields(q);
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i)
      ASSERT_EQ(*read[i], test::XmlKept(*written[i])) << "round " << round << ", field " << i;
  }
}

class ProjectFileTest : public test::InTempDir {
 protected:
  void SetUp() override {
    MakeDirectory("Projects");
    MakeDirectory(temp);
  }
  // The sample, changed by `change`, saved from a working folder that holds
  // its media.
  Project SavedSample(const std::function<void(Project&)>& change = [](Project&) {}) {
    Project p = SampleProject();
    p.tempfolder = temp;
    test::WriteSampleMedia(temp);
    change(p);
    FileReport report;
    EXPECT_TRUE(WriteProject(p, &report)) << report.error;
    return p;
  }
  // Opens "demo" with a fresh, empty working folder.
  Project Opened(const std::string& name = "demo") {
    FileReport report;
    return Opened(report, {}, name);
  }
  Project Opened(FileReport& report, const PictureLimits& limits,
                 const std::string& name = "demo") {
    fs::remove_all(temp);
    MakeDirectory(temp);
    Project q;
    q.tempfolder = temp;
    EXPECT_TRUE(ReadProject(q, name, &report, limits)) << report.error;
    return q;
  }
  const std::string temp = "_temp_000000";
};

TEST_F(ProjectFileTest, SaveThenOpenKeepsEveryFieldFileAndPicture) {
  Project p = SavedSample([&](Project& p) {
    fs::remove(temp + "/theme.mp3");  // a missing media file is skipped quietly
    p.modified = 1;
  });
  EXPECT_EQ(p.modified, 0);
  const std::string saved = ReadAll("Projects/demo.xml");
  EXPECT_EQ(saved, ProjectXml(p));
  EXPECT_EQ(ReadAll("Projects/demo/aud/jump.wav"), "wav bytes");
  EXPECT_FALSE(FileExists("Projects/demo/aud/theme.mp3"));
  EXPECT_EQ(LoadImageFile("Projects/demo/img/tiles.png"), test::SampleTileSet());
  for (int i : {0, 1}) {
    const std::string frame = "Projects/demo/img/spr_hero_" + std::to_string(i) + ".png";
    EXPECT_EQ(LoadImageFile(frame), *p.frames[i].image);
  }
  int entries = 0;  // no temporary files left behind
  for ([[maybe_unused]] auto& e : fs::directory_iterator("Projects")) ++entries;
  EXPECT_EQ(entries, 2);

  Project q = Opened();
  EXPECT_EQ(q.projectname, "demo");
  EXPECT_EQ(q.modified, 0);
  EXPECT_EQ(ProjectXml(q), saved);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "wav bytes");
  // The run-time pictures are rebuilt.
  ASSERT_NE(q.frames[1].image, nullptr);
  EXPECT_EQ(*q.frames[1].image, *p.frames[1].image);
  EXPECT_EQ(q.objects[1].image, q.frames[0].image);  // inst_11
  EXPECT_EQ(q.objects[1].imagewidth, 16);
  EXPECT_EQ(q.objects[2].image, nullptr);
  EXPECT_NE(q.sprites[0].thumbnail, nullptr);  // how they look is the thumbnail test's
  EXPECT_NE(q.scenes[0].thumbnail, nullptr);
  // Tile 16 (left 4, top 8, 16 x 24) is cut from the tile set.
  ASSERT_NE(q.tiles[0].image, nullptr);
  Image tile = Image::Transparent(16, 24);
  tile.Draw(test::SampleTileSet(), -4, -8, DrawMode::Copy);
  EXPECT_EQ(*q.tiles[0].image, tile);

  // Saving what was opened gives the same bytes; a stale instance depth
  // gives way to its object's on opening.
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved);
  p.objects[3].depth = -99;
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(Opened().objects[3].depth, 5);
}

TEST_F(ProjectFileTest, TilesOfAMissingTileSetAreRed) {
  Project p = SampleProject();
  ASSERT_TRUE(WriteProject(p));  // no working folder: tiles.png is not saved
  Project q = Opened();
  Image red = Image::Transparent(16, 24);
  red.Fill(Color{255, 0, 0, 255});
  ASSERT_NE(q.tiles[1].image, nullptr);
  EXPECT_EQ(*q.tiles[1].image, red);
}

TEST_F(ProjectFileTest, LineBreaksAndTabsComeBackAsTyped) {
  Project p;
  p.projectname = "demo";
  p.scripts.push_back({"s", "o", "Step", "", "a < b &&\r\nc;\rd;\n"});
  p.fns.push_back({"f", "x\ty", "line\none\r\ntwo\r", ""});
  ASSERT_TRUE(WriteProject(p));
  Project q = Opened();
  EXPECT_EQ(q.scripts, p.scripts);
  EXPECT_EQ(q.fns, p.fns);

  // Files written before keep raw breaks in attributes: they read as blanks.
  std::string xml = ReadAll("Projects/demo.xml");
  xml.replace(xml.find("&#9;"), 4, "\t");
  xml.replace(xml.find("&#10;"), 5, "\n");
  WriteAll("Projects/demo.xml", xml);
  q = Opened();
  EXPECT_EQ(q.fns[0].params, "x y");
  EXPECT_EQ(q.fns[0].description, "line one\r\ntwo\r");
}

TEST_F(ProjectFileTest, MediaComeFromTheFoldersTheProjectWasSavedWith) {
  SavedSample([](Project& p) {
    p.imgfolder = "pics";
    p.audfolder = "sfx";
  });
  EXPECT_TRUE(IsRegularFile("Projects/demo/pics/spr_hero_0.png"));
  Project q = Opened();  // its own folders say "img" and "aud"
  EXPECT_EQ(q.imgfolder, "pics");
  EXPECT_EQ(q.audfolder, "sfx");
  EXPECT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "wav bytes");
}

TEST_F(ProjectFileTest, OlderLayoutReadsFromTheProjectFolder) {
  // Version 128 kept the media beside the project file and had neither
  // object angles nor functions; folder names in its file are not read.
  Project p = SampleProject();
  p.imgfolder = "pics";
  std::string xml = ProjectXml(p);
  WriteAll("Projects/old.xml", xml.replace(xml.find("version=\"129\""), 13, "version=\"128\""));
  MakeDirectory("Projects/old");
  ASSERT_TRUE(SavePng(*p.frames[0].image, "Projects/old/spr_hero_0.png"));
  WriteAll("Projects/old/jump.wav", "B");
  Project q = Opened("old");
  EXPECT_EQ(q.objects[3].direction, 0);
  EXPECT_EQ(q.objects[3].image_angle, 0);
  EXPECT_TRUE(q.fns.empty());
  EXPECT_EQ(q.imgfolder, "img");
  ASSERT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "B");

  // Saving converts it to the current layout.
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(LoadImageFile("Projects/old/img/spr_hero_0.png"), *p.frames[0].image);
  EXPECT_EQ(ReadProjectVersion("old"), 129);
}

std::string WithSprites(const std::string& sprites) {
  std::string xml = kMinimal;
  const std::string empty = R"(<sprites count="0"/>)";
  return xml.replace(xml.find(empty), empty.size(), sprites);
}

// A damaged, missing or newer file gives a clear error and the open project
// stays as it was.
TEST_F(ProjectFileTest, UnreadableFilesAreRefusedAndChangeNothing) {
  std::string without_fns = kMinimal;
  without_fns.erase(without_fns.find("<fns"), 15);
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // no file without
    std::string error;                 // part of the message
  } cases[] = {
      {"cut", "<?xml version=\"1.0\"?><vorlane", "damaged (line 1"},
      {"text", "not xml at all", "damaged (line"},
      {"empty", "", "damaged (line"},
      {"control", "\x01", "damaged (line 1"},
      {"extra", std::string(kMinimal) + "<extra/>", "damaged (line 1"},
      {"nofns", without_fns, "\"fns\" is missing"},
      {"nosprites", R"(<vorlane version="129"><a/><b/><c/></vorlane>)", "\"sprites\" is missing"},
      {"short", WithSprites(R"(<sprites count="3"><sprite name="a"/></sprites>)"),
       "should hold 3 records but holds 1"},
      {"huge", WithSprites(R"(<sprites count="2000000000"/>)"),
       "should hold 2000000000 records but holds 0"},
      {"newer", R"(<?xml version="1.0"?><vorlane version="130"><functions/>)",
       "This project requires a new program version (v130)."},
      {"missing", std::nullopt, "Could not read \"Projects/missing.xml\""},
      {"../evil", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.bytes) WriteAll(std::string("Projects/") + c.name + ".xml", *c.bytes);
    Project q = SampleProject();
    q.tempfolder = temp;
    FileReport report;
    EXPECT_FALSE(ReadProject(q, c.name, &report));
    EXPECT_NE(report.error.find(c.error), std::string::npos) << report.error;
    EXPECT_FALSE(report.error.empty());
    EXPECT_EQ(ProjectXml(q), ProjectXml(SampleProject()));
    EXPECT_EQ(q.projectname, "demo");
    EXPECT_TRUE(fs::is_empty(temp));
  }
  EXPECT_EQ(ReadProjectVersion("newer"), 130);
  WriteAll("Projects/bare.xml", "<vorlane/>");
  EXPECT_EQ(ReadProjectVersion("bare"), 0);
  EXPECT_EQ(ReadProjectVersion("missing"), 0);
}

TEST_F(ProjectFileTest, ExtraChildrenBeyondCountAreIgnored) {
  WriteAll("Projects/x.xml",
           WithSprites(R"(<sprites count="1"><sprite name="a"/><sprite name="b"/></sprites>)"));
  Project q = Opened("x");
  ASSERT_EQ(q.sprites.size(), 1u);
  EXPECT_EQ(q.sprites[0].name, "a");
  EXPECT_EQ(q.sprites[0].collisionshape, "");  // missing attributes read as empty
}

TEST_F(ProjectFileTest, NamesThatLeaveTheirFolderAreSkipped) {
  // A file planted outside the project must neither be read nor overwritten.
  WriteAll("secret.wav", "secret");
  fs::create_directories("Projects/evil/aud");
  WriteAll("Projects/evil/aud/ok.wav", "fine");
  Project evil;
  evil.sprites.push_back({"../../../x", nullptr, "Box", 0, 0, 0, 0, 0, 0, 0});
  evil.frames.push_back({"0", "../../../x", nullptr, "", 0, -1});
  evil.sounds = {{"a", "../../../secret.wav", "/etc/passwd", ".."}, {"b", "ok.wav", "", ""}};
  evil.backgrounds.push_back({"bg", "../../secret.wav", nullptr, 0, 32, 32, 0, 0, 0, 0});
  WriteAll("Projects/evil.xml", ProjectXml(evil));
  Project q;
  q.tempfolder = temp;
  FileReport report;
  ASSERT_TRUE(ReadProject(q, "evil", &report)) << report.error;
  EXPECT_GE(report.skipped.size(), 4u);
  EXPECT_EQ(ReadAll(temp + "/ok.wav"), "fine");
  EXPECT_FALSE(FileExists(temp + "/secret.wav"));
  EXPECT_FALSE(FileExists(temp + "/passwd"));

  // Saving writes the rest and touches nothing outside the project.
  q.frames[0].image = ShareImage(Image::Opaque(1, 1));
  WriteAll(temp + "/secret.wav", "from temp");
  ASSERT_TRUE(WriteProject(q, &report)) << report.error;
  EXPECT_FALSE(report.skipped.empty());
  EXPECT_EQ(ReadAll("secret.wav"), "secret");
  EXPECT_FALSE(FileExists("x_0.png"));
  EXPECT_EQ(ReadAll("Projects/evil/aud/ok.wav"), "fine");
}

TEST_F(ProjectFileTest, FailedSaveKeepsThePreviousFileAndStaysModified) {
  Project p = SavedSample();
  const std::string before = ReadAll("Projects/demo.xml");
  // The media folder cannot be made: a plain file is in its way.
  p.audfolder = "blocked";
  WriteAll("Projects/demo/blocked", "x");
  p.settings.title = "changed";
  p.modified = 1;
  FileReport report;
  EXPECT_FALSE(WriteProject(p, &report));
  EXPECT_NE(report.error.find("could not be saved"), std::string::npos);
  EXPECT_EQ(p.modified, 1);
  EXPECT_EQ(ReadAll("Projects/demo.xml"), before);

  // A project name that is not a plain file name is refused.
  for (const char* name : {"../outside", ""}) {
    p.projectname = name;
    EXPECT_FALSE(WriteProject(p, &report)) << name;
  }
  EXPECT_FALSE(FileExists("outside.xml"));
}

// A save replaces a file by renaming a new one over it, so the file's inode
// tells whether a save wrote it. Frames are shared and never changed in
// place: an edit shares a new copy.
ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

ImageRef Plotted(const Image& image, Color color) {
  Image changed = image;
  changed.Plot(1, 1, color);
  return ShareImage(std::move(changed));
}

TEST_F(ProjectFileTest, SavingAgainRewritesOnlyChangedFrames) {
  Project p = SavedSample();
  const std::string first = "Projects/demo/img/spr_hero_0.png";
  const std::string second = "Projects/demo/img/spr_hero_1.png";
  const ino_t first_inode = Inode(first), second_inode = Inode(second);
  p.frames[1].image = Plotted(*p.frames[1].image, Color{9, 9, 9, 255});
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(Inode(first), first_inode);
  EXPECT_NE(Inode(second), second_inode);
  EXPECT_EQ(LoadImageFile(second), *p.frames[1].image);

  // A frame file deleted behind the program's back is written again.
  fs::remove(first);
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(LoadImageFile(first), *p.frames[0].image);

  // Opening records what the files hold, so saving straight after rewrites
  // nothing; a changed picture is still saved.
  Project q = Opened();
  const ino_t opened = Inode(first);
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(Inode(first), opened);
  q.frames[0].image = Plotted(*q.frames[0].image, Color{200, 0, 0, 255});
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(LoadImageFile(first).Pixel(1, 1), (Color{200, 0, 0, 255}));
}

TEST_F(ProjectFileTest, FramesSharingANumberAreSavedToFilesOfTheirOwn) {
  Project p = SavedSample();
  p.frames.push_back(p.frames[0]);
  p.frames.back().image = Plotted(*p.frames[0].image, Color{0, 200, 0, 255});
  FileReport report;
  ASSERT_TRUE(WriteProject(p, &report));
  EXPECT_EQ(p.frames.back().file, "2");
  EXPECT_EQ(LoadImageFile("Projects/demo/img/spr_hero_0.png"), *p.frames[0].image);
  EXPECT_EQ(LoadImageFile("Projects/demo/img/spr_hero_2.png"), *p.frames.back().image);
  EXPECT_NE(WarningText(report).find("spr_hero frame 0 is now frame 2"), std::string::npos);
}

// Pictures not loaded are never lost: their files are kept and saved
// unchanged, under the same name, a new one, or a renamed sprite; the warning
// says why they were not loaded.
TEST_F(ProjectFileTest, FramesNotLoadedKeepTheirFiles) {
  const Project p = SavedSample();
  const std::string big = "Projects/demo/img/spr_hero_1.png";
  ASSERT_TRUE(SavePng(Image::Opaque(16385, 1), big));
  const std::string bytes = ReadAll(big);
  FileReport report;
  Project q = Opened(report, {});
  ASSERT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(q.frames[1].image, nullptr);
  EXPECT_EQ(report.too_large, std::vector<std::string>{"spr_hero_1.png"});
  EXPECT_NE(WarningText(report).find("larger than 16384 x 16384 pixels, more than can be edited, "
                                     "so they are not shown: spr_hero_1.png. Their files are kept"),
            std::string::npos);
  for (const char* name : {"demo", "copy"}) {
    q.projectname = name;
    ASSERT_TRUE(WriteProject(q));
    EXPECT_EQ(ReadAll("Projects/" + std::string(name) + "/img/spr_hero_1.png"), bytes) << name;
  }
  q.sprites[0].name = q.frames[0].sprite = q.frames[1].sprite = "spr_new";
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/copy/img/spr_new_1.png"), bytes);

  // Past the budget of all pictures together: frames, then the tile set
  // while it is cut, then its tiles count in order (16 x 16 and 24 x 20
  // pixels, 64 x 64, then 16 x 24 each). The warning gives the budget used.
  ASSERT_TRUE(SavePng(*p.frames[1].image, big));
  report = {};
  q = Opened(report, {16384, 256 + 384});
  EXPECT_EQ(q.frames[1].image, nullptr);
  EXPECT_EQ(q.tiles[1].image, nullptr);
  EXPECT_EQ(report.over_budget,
            (std::vector<std::string>{"spr_hero_1.png", "tiles.png", "tile_17"}));
  EXPECT_NE(WarningText(report).find("more than 2 KB of memory: spr_hero_1.png, tiles.png, "
                                     "tile_17."),
            std::string::npos);
  EXPECT_TRUE(report.too_large.empty());

  // What can be edited loads, past the old limit of 4096 x 4096 pixels.
  ASSERT_TRUE(SavePng(Image::Opaque(16384, 1025), big));
  report = {};
  q = Opened(report, {});
  ASSERT_NE(q.frames[1].image, nullptr);
  EXPECT_EQ(q.frames[1].image->width(), 16384);
  EXPECT_EQ(WarningText(report), "");
}

// Every picture is counted from the size its file's header declares before
// it is decoded, whatever its format: the frames in order, then each
// background while it is held to cut its tiles and card, then its tiles.
// What is not loaded is reported with the true reason.
TEST_F(ProjectFileTest, PicturesAreCountedFromTheirHeadersBeforeDecoding) {
  SavedSample();
  const std::string first = "Projects/demo/img/spr_hero_0.png", set = "Projects/demo/img/tiles.png";
  const std::string first_png = ReadAll(first), set_png = ReadAll(set);
  Image red = Image::Transparent(16, 24);
  red.Fill(Color{255, 0, 0, 255});
  const auto expect_red = [&](const Project& q) {
    for (const Tile& tile : q.tiles) {
      ASSERT_NE(tile.image, nullptr);
      EXPECT_EQ(*tile.image, red);
    }
    EXPECT_EQ(*q.backgrounds[0].thumbnail, *StockCardPicture());
  };

  // The tile set past the budget the frames (16 x 16 and 24 x 20) leave
  // beside its two tiles: it is not decoded, its tiles show red and its card
  // is bare.
  FileReport report;
  Project q = Opened(report, {16384, 256 + 480 + 64 * 64 + 384});
  EXPECT_EQ(report.over_budget, std::vector<std::string>{"tiles.png"});
  expect_red(q);
  report = {};
  q = Opened(report, {16384, 256 + 480 + 64 * 64 + 2 * 384});
  EXPECT_EQ(WarningText(report), "");
  EXPECT_NE(*q.tiles[0].image, red);
  const Image tile_set = test::SampleTileSet();
  EXPECT_EQ(*q.backgrounds[0].thumbnail, *BackgroundCard(&tile_set));

  // A first frame held as a BMP counts first.
  QImage bmp_frame(16, 16, QImage::Format_RGB32);
  bmp_frame.fill(Qt::white);
  ASSERT_TRUE(bmp_frame.save(QString::fromStdString(first), "BMP"));
  report = {};
  q = Opened(report, {16384, 480});
  EXPECT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(q.frames[1].image, nullptr);
  EXPECT_EQ(report.over_budget,
            (std::vector<std::string>{"spr_hero_1.png", "tiles.png", "tile_16", "tile_17"}));

  // Headers declaring more than can be edited, with nothing behind them.
  std::string bmp = ReadAll(first).substr(0, 54);
  bmp.replace(18, 4, std::string("\x01\x40\0\0", 4));  // 16385 pixels wide
  WriteAll(first, bmp);
  std::string png = set_png.substr(0, 33);
  WriteAll(set, png.replace(16, 4, std::string("\0\0\x40\x01", 4)));
  report = {};
  q = Opened(report, {});
  EXPECT_EQ(report.too_large, (std::vector<std::string>{"spr_hero_0.png", "tiles.png"}));
  EXPECT_EQ(q.frames[0].image, nullptr);
  expect_red(q);

  // Files that do not decode to the size they declare, or declare none, are
  // refused and their pixels given back; the warning says why.
  WriteAll(first, first_png.substr(0, first_png.size() / 2));
  WriteAll("Projects/demo/img/spr_hero_1.png", "not a picture");
  WriteAll(set, set_png);
  report = {};
  q = Opened(report, {16384, 64 * 64 + 2 * 384});
  EXPECT_EQ(report.undecodable, (std::vector<std::string>{"spr_hero_0.png", "spr_hero_1.png"}));
  EXPECT_TRUE(report.over_budget.empty());
  EXPECT_NE(WarningText(report).find("not shown, because their files could not be read as PNG, "
                                     "JPEG or BMP pictures of the size they declare: "
                                     "spr_hero_0.png, spr_hero_1.png. Their files are kept"),
            std::string::npos);
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/demo/img/spr_hero_1.png"), "not a picture");
}

// A tile's corner may be anywhere an int reaches: it gets what of the
// picture lies under it, and no arithmetic on the corner overflows.
TEST_F(ProjectFileTest, TilesFarOffTheirPictureAreCutSafely) {
  SavedSample([](Project& p) {
    const Tile tile = p.tiles[0];
    p.tiles.assign(5, tile);
    const int corners[][2] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, 0}, {-4, 60}};
    for (int i = 0; i < 4; ++i) {
      p.tiles[i].left = corners[i][0];
      p.tiles[i].top = corners[i][1];
    }
    p.tiles[4].width = INT_MAX;
    for (int i = 0; i < 5; ++i) p.tiles[i].name = "tile_" + std::to_string(i);
  });
  FileReport report;
  const Project q = Opened(report, {});
  const Image clear = Image::Transparent(16, 24);
  for (int i : {0, 1, 2}) {
    ASSERT_NE(q.tiles[i].image, nullptr);
    EXPECT_EQ(*q.tiles[i].image, clear) << i;
  }
  Image corner = clear;
  corner.Draw(test::SampleTileSet(), 4, -60, DrawMode::Copy);
  EXPECT_EQ(*q.tiles[3].image, corner);
  EXPECT_EQ(q.tiles[4].image, nullptr);
  EXPECT_EQ(report.too_large, std::vector<std::string>{"tile_4"});
}

// A media folder name that would leave the project gives way to the
// preferences' one, which is checked the same way, and then to the usual
// one; every name passed over is reported.
TEST_F(ProjectFileTest, MediaFoldersOutsideTheProjectAreNeverRead) {
  SavedSample();  // media in img and aud
  std::string xml = ReadAll("Projects/demo.xml");
  for (const std::string folder : {"imgfolder=\"img\"", "audfolder=\"aud\""})
    xml.replace(xml.find(folder), folder.size(), folder.substr(0, 11) + "../../x\"");
  // Where "../../y" from the project folder leads.
  MakeDirectory("y");
  WriteAll("y/jump.wav", "outside");
  ASSERT_TRUE(SavePng(Image::Opaque(3, 3), "y/spr_hero_0.png"));
  const auto open = [&](const std::string& file_text) {
    WriteAll("Projects/demo.xml", file_text);
    fs::remove_all(temp);
    MakeDirectory(temp);
    Project q;
    q.tempfolder = temp;
    q.imgfolder = q.audfolder = "../../y";
    FileReport report;
    EXPECT_TRUE(ReadProject(q, "demo", &report)) << report.error;
    EXPECT_EQ(q.imgfolder, "img");
    EXPECT_EQ(q.audfolder, "aud");
    EXPECT_EQ(ReadAll(temp + "/jump.wav"), "wav bytes");
    return report.skipped;
  };
  EXPECT_EQ(open(xml), (std::vector<std::string>{"../../x", "../../y"}));
  // An older file keeps its media beside it and has no folders of its own.
  WriteAll("Projects/demo/jump.wav", "wav bytes");
  EXPECT_EQ(open(xml.replace(xml.find("version=\"129\""), 13, "version=\"128\"")),
            std::vector<std::string>{"../../y"});
}

// A FIFO or a device among the project's files is reported, never waited
// on or read; a working copy that cannot be copied leaves the saved one.
TEST_F(ProjectFileTest, SpecialFilesAreReportedAndNotRead) {
  SavedSample();
  const std::string frame = "Projects/demo/img/spr_hero_1.png";
  const std::string sound = "Projects/demo/aud/jump.wav";
  const std::string picture = "Projects/demo/img/tiles.png";
  fs::remove(frame);
  fs::remove(sound);
  fs::remove(picture);
  fs::create_symlink("/dev/zero", frame);
  ASSERT_EQ(::mkfifo(sound.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(picture.c_str(), 0600), 0);
  fs::remove_all(temp);
  MakeDirectory(temp);
  FileReport report;
  Project q;
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "demo", &report)) << report.error;
  const std::string text = WarningText(report);
  // A device is reached through a link, which leads out of the program folder.
  for (const std::string& refused :
       {frame + "\" was not read: it leads outside the program folder, to \"/dev/zero\".",
        sound + "\" was not read: it is not a regular file.",
        picture + "\" was not read: it is not a regular file."})
    EXPECT_NE(text.find("\"" + refused), std::string::npos) << text;
  EXPECT_EQ(q.frames[1].image, nullptr);
  EXPECT_FALSE(FileExists(temp + "/jump.wav"));

  fs::remove(temp + "/jump.ogg");
  ASSERT_EQ(::mkfifo((temp + "/jump.ogg").c_str(), 0600), 0);
  EXPECT_FALSE(WriteProject(q, &report));
  EXPECT_NE(report.error.find("could not be written: Projects/demo/aud/jump.ogg.\n\"" + temp +
                              "/jump.ogg\" was not read: it is not a regular file."),
            std::string::npos)
      << report.error;
  EXPECT_EQ(ReadAll("Projects/demo/aud/jump.ogg"), "ogg bytes");
  EXPECT_TRUE(fs::is_symlink(frame));
}

// Mounts a tiny file system at `folder` for the test's life; skipped where
// the machine does not allow it.
class SmallDisk {
 public:
  explicit SmallDisk(const std::string& folder) : folder_(fs::absolute(folder)) {
    fs::create_directories(folder_);
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

TEST_F(ProjectFileTest, MediaCopyOntoAFullDiskKeepsTheSavedCopy) {
  Project p = SavedSample();
  const SmallDisk disk("Projects/demo/aud");
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
  WriteAll("Projects/demo/aud/jump.wav", "wav bytes");
  WriteAll(temp + "/jump.wav", std::string(1 << 20, 'x'));
  FileReport report;
  EXPECT_FALSE(WriteProject(p, &report));
  EXPECT_NE(report.error.find("Could not write \"Projects/demo/aud/jump.wav\": No space left"),
            std::string::npos)
      << report.error;
  EXPECT_EQ(ReadAll("Projects/demo/aud/jump.wav"), "wav bytes");
  EXPECT_EQ(ListFolder("Projects/demo/aud").size(), 3u);  // no temporary file left
}

// The program runs in program/; outside/ beside it belongs to someone else.
class ProjectLinkTest : public ProjectFileTest {
 protected:
  void SetUp() override {
    fs::create_directories("outside/elsewhere");
    fs::create_directory("program");
    fs::current_path("program");
    WriteAll("../outside/victim.wav", "victim");
    ProjectFileTest::SetUp();
  }
};

TEST_F(ProjectLinkTest, SavingReplacesLinksAndRefusesLinkedFolders) {
  Project p = SavedSample();
  const std::string sound = "Projects/demo/aud/jump.wav";
  fs::remove(sound);
  fs::create_symlink("../../../../outside/victim.wav", sound);
  fs::permissions("Projects/demo.xml", fs::perms(0444));
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(ReadAll("../outside/victim.wav"), "victim");
  EXPECT_FALSE(fs::is_symlink(sound));
  EXPECT_EQ(ReadAll(sound), "wav bytes");
  EXPECT_EQ(fs::status("Projects/demo.xml").permissions(), fs::perms(0444));

  const std::string saved = ReadAll("Projects/demo.xml");
  p.modified = 1;
  for (const std::string folder : {"Projects/demo/img", "Projects/demo"}) {
    SCOPED_TRACE(folder);
    fs::remove_all(folder);
    fs::create_directory_symlink(fs::absolute("../outside/elsewhere"), folder);
    FileReport report;
    EXPECT_FALSE(WriteProject(p, &report));
    EXPECT_NE(report.error.find("could not be saved. The folder \"" + folder), std::string::npos)
        << report.error;
    EXPECT_NE(report.error.find("leads outside the program folder"), std::string::npos);
    EXPECT_TRUE(fs::is_empty("../outside/elsewhere"));
    EXPECT_EQ(p.modified, 1);
    EXPECT_EQ(ReadAll("Projects/demo.xml"), saved);
  }
}

}  // namespace
}  // namespace vorlane
