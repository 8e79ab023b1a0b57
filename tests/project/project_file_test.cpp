#include "project/project_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;
namespace fs = std::filesystem;

constexpr char kMinimal[] =
    R"(<?xml version="1.0" encoding="UTF-8"?><vorlane version="129" uid="1" title="" )"
    R"(advancedscriptmode="0" imgfolder="img" audfolder="aud"><functions/><variables/>)"
    R"(<comments/><sprites count="0"/><frames count="0"/><sounds count="0"/>)"
    R"(<musics count="0"/><backgrounds count="0"/><fonts count="0"/><objects count="0"/>)"
    R"(<scripts count="0"/><scenes count="0"/><layers count="0"/><tiles count="0"/>)"
    R"(<fns count="0"/></vorlane>)";

// One record of every kind with every stored field set to a distinct value.
Project FullProject() {
  Project p;
  p.uid = 77;
  p.projectname = "demo";
  p.tempfolder = "_temp_000000";
  p.settings = {"My <game>", "var score = 0;", "function f() {}", 1, "notes & more"};
  p.sprites.push_back({"hero", nullptr, "Circle", 5, 1, 2, 3, 4, 6, 7});
  p.frames.push_back({"0", "hero", nullptr});
  p.sounds.push_back({"jump", "j.wav", "j.mp3", "j.ogg"});
  p.musics.push_back({"song", "", "s.mp3", ""});
  Background b{"tiles", "t.png", nullptr, 1, 16, 24, 1, 2, 3, 4};
  p.backgrounds.push_back(b);
  p.fonts.push_back({"big", "Sans", 20, 1, 0});
  GameObject o;
  o.name = "player";
  o.sprite = "hero";
  o.x = -3;
  o.y = 9;
  o.visible = 0;
  o.depth = 10;
  o.collision = 0;
  o.parent = "base";
  o.direction = 90;
  o.image_angle = 45;
  p.objects.push_back(o);
  p.scripts.push_back({"scr_3", "player", "Collision", "wall", "if (a < b && c) {\n}"});
  Scene s;
  s.name = "level";
  s.width = 1000;
  s.height = 800;
  s.speed = 60;
  s.red = 1;
  s.green = 2;
  s.blue = 3;
  s.background = "tiles";
  s.backgroundstretch = 1;
  s.backgroundtilex = 1;
  s.backgroundtiley = 0;
  s.viewportwidth = 320;
  s.viewportheight = 240;
  s.viewportxborder = 11;
  s.viewportyborder = 12;
  s.viewportobject = "player";
  s.code = "start();";
  p.scenes.push_back(s);
  p.layers.push_back({"layer_5", 500, "level"});
  p.tiles.push_back({"tile_1", "tiles", 4, 8, 16, 24, 32, 48, 500, "level", nullptr, 0});
  p.fns.push_back({"add", "a, b", "Adds \"two\"", "return a + b;"});
  return p;
}

TEST(ProjectXmlTest, MinimalProjectIsExact) {
  Project p;
  p.projectname = "demo";
  EXPECT_EQ(ProjectXml(p), kMinimal);
}

TEST(ProjectXmlTest, EveryRecordInItsAttributeOrder) {
  const std::string xml = ProjectXml(FullProject());
  const std::string expected =
      R"(<?xml version="1.0" encoding="UTF-8"?><vorlane version="129" uid="77" )"
      R"(title="My &lt;game&gt;" advancedscriptmode="1" imgfolder="img" audfolder="aud">)"
      R"(<functions>function f() {}</functions><variables>var score = 0;</variables>)"
      R"(<comments>notes &amp; more</comments>)"
      R"(<sprites count="1"><sprite name="hero" centerx="6" centery="7" collisionshape="Circle" )"
      R"(collisionradius="5" collisionleft="1" collisionright="2" collisiontop="3" )"
      R"(collisionbottom="4"/></sprites>)"
      R"(<frames count="1"><frame file="0" sprite="hero"/></frames>)"
      R"(<sounds count="1"><sound name="jump" wav="j.wav" mp3="j.mp3" ogg="j.ogg"/></sounds>)"
      R"(<musics count="1"><music name="song" wav="" mp3="s.mp3" ogg=""/></musics>)"
      R"(<backgrounds count="1"><background name="tiles" file="t.png" tile="1" tileheight="24" )"
      R"(tilewidth="16" tilexoffset="1" tileyoffset="2" tilexspace="3" tileyspace="4"/>)"
      R"(</backgrounds>)"
      R"(<fonts count="1"><font name="big" family="Sans" size="20" bold="1" italic="0"/></fonts>)"
      R"(<objects count="1"><object name="player" template="" prototype="1" scene="" )"
      R"(sprite="hero" x="-3" y="9" visible="0" depth="10" collision="0" parent="base" )"
      R"(direction="90" image_angle="45"/></objects>)"
      R"(<scripts count="1"><script name="scr_3" object="player" event="Collision" )"
      R"(parameter="wall">if (a &lt; b &amp;&amp; c) {)"
      "\n"
      R"(}</script></scripts>)"
      R"(<scenes count="1"><scene name="level" width="1000" height="800" speed="60" red="1" )"
      R"(green="2" blue="3" background="tiles" backgroundstretch="1" backgroundtilex="1" )"
      R"(backgroundtiley="0" viewportwidth="320" viewportheight="240" viewportxborder="11" )"
      R"(viewportyborder="12" viewportobject="player">start();</scene></scenes>)"
      R"(<layers count="1"><layer name="layer_5" scene="level" value="500"/></layers>)"
      R"(<tiles count="1"><tile name="tile_1" background="tiles" width="16" height="24" )"
      R"(x="32" y="48" top="8" left="4" depth="500" scene="level"/></tiles>)"
      R"(<fns count="1"><fn name="add" params="a, b" description="Adds &quot;two&quot;">)"
      R"(return a + b;</fn></fns></vorlane>)";
  EXPECT_EQ(xml, expected);
}

TEST(ProjectXmlTest, EscapingAndUnwritableCharacters) {
  Project p;
  p.settings.title = "a&b<c>d\"e'f\tg\x01h";
  p.settings.comments = "x\"y'z>\r\n\x0b";
  const std::string xml = ProjectXml(p);
  EXPECT_NE(xml.find(R"(title="a&amp;b&lt;c&gt;d&quot;e&apos;f)" "\tgh\""), std::string::npos);
  EXPECT_NE(xml.find("<comments>x\"y'z&gt;\r\n</comments>"), std::string::npos);
}

class ProjectFileTest : public test::InTempDir {
 protected:
  void SetUp() override {
    MakeDirectory("Projects");
    MakeDirectory(temp);
  }
  const std::string temp = "_temp_000000";
};

TEST_F(ProjectFileTest, SaveWritesFoldersFilesAndClearsModified) {
  Project p = FullProject();
  Image picture = Image::Transparent(4, 3);
  picture.Plot(1, 1, Color{10, 20, 30, 40});
  p.frames[0].image = ShareImage(picture);
  WriteAll(temp + "/j.wav", "wav");
  WriteAll(temp + "/j.ogg", "ogg");  // j.mp3 and s.mp3 are missing: skipped quietly
  WriteAll(temp + "/t.png", "not really a png");
  p.modified = 1;
  FileReport report;
  ASSERT_TRUE(WriteProject(p, &report)) << report.error;
  EXPECT_EQ(p.modified, 0);
  EXPECT_EQ(ReadAll("Projects/demo.xml"), ProjectXml(p));
  EXPECT_EQ(ReadAll("Projects/demo/aud/j.wav"), "wav");
  EXPECT_EQ(ReadAll("Projects/demo/aud/j.ogg"), "ogg");
  EXPECT_FALSE(FileExists("Projects/demo/aud/j.mp3"));
  EXPECT_EQ(ReadAll("Projects/demo/img/t.png"), "not really a png");
  const Image frame = LoadImageFile("Projects/demo/img/hero_0.png");
  EXPECT_EQ(frame, *p.frames[0].image);
  // Only the project's own files: no temporary files left behind.
  int entries = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator("Projects")) ++entries;
  EXPECT_EQ(entries, 2);
}

TEST_F(ProjectFileTest, RoundTripKeepsEveryFieldAndOrder) {
  Project p = FullProject();
  p.sprites.push_back({"b_second", nullptr, "Box", 0, 0, 0, 0, 0, 0, 0});
  p.sprites.push_back({"a_third", nullptr, "Box", 0, 0, 0, 0, 0, 0, 0});
  GameObject instance = p.objects[0];
  instance.prototype = 0;
  instance.template_ = "player";
  instance.name = "player_1";
  instance.scene = "level";
  instance.direction = 180;
  instance.image_angle = -30;
  p.objects.push_back(instance);
  ASSERT_TRUE(WriteProject(p));
  const std::string saved = ReadAll("Projects/demo.xml");

  Project q;
  q.tempfolder = temp;
  FileReport report;
  ASSERT_TRUE(ReadProject(q, "demo", &report)) << report.error;
  EXPECT_EQ(q.projectname, "demo");
  EXPECT_EQ(q.uid, 77);
  ASSERT_EQ(q.sprites.size(), 3u);
  EXPECT_EQ(q.sprites[1].name, "b_second");
  EXPECT_EQ(q.sprites[2].name, "a_third");
  EXPECT_EQ(q.objects[1].direction, 180);
  EXPECT_EQ(q.objects[1].image_angle, -30);
  // Everything stored comes back: saving again gives the same bytes.
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved);
  EXPECT_EQ(q.settings.title, "My <game>");
  EXPECT_EQ(q.fns[0].description, "Adds \"two\"");
}

TEST_F(ProjectFileTest, LineBreaksComeBackAsLineFeeds) {
  Project p;
  p.projectname = "demo";
  p.scripts.push_back({"s", "o", "Step", "", "a < b &&\r\nc;\rd;\n"});
  p.fns.push_back({"f", "x\ty", "line\none", ""});
  ASSERT_TRUE(WriteProject(p));
  Project q;
  ASSERT_TRUE(ReadProject(q, "demo"));
  EXPECT_EQ(q.scripts[0].code, "a < b &&\nc;\nd;\n");
  EXPECT_EQ(q.fns[0].params, "x y");  // attribute values normalise white space
  EXPECT_EQ(q.fns[0].description, "line one");
}

TEST_F(ProjectFileTest, ReadRebuildsRunTimeImagesAndDepths) {
  Project p = FullProject();
  Image frame = Image::Transparent(20, 10);
  frame.Fill(Color{0, 255, 0, 255});
  p.frames[0].image = ShareImage(frame);
  Image set = Image::Opaque(64, 64);
  set.FillRect(8, 4, 16, 24, Color{0, 0, 255, 255});
  ASSERT_TRUE(SavePng(set, temp + "/t.png"));
  GameObject instance = p.objects[0];
  instance.prototype = 0;
  instance.template_ = "player";
  instance.name = "player_1";
  instance.depth = -99;  // stale: the object's depth wins on reading
  p.objects.push_back(instance);
  ASSERT_TRUE(WriteProject(p));

  Project q;
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "demo"));
  ASSERT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(*q.frames[0].image, frame);
  EXPECT_EQ(q.objects[1].depth, 10);
  EXPECT_EQ(q.objects[0].image, q.frames[0].image);
  EXPECT_EQ(q.objects[1].imagewidth, 20);
  EXPECT_EQ(q.objects[1].imageheight, 10);
  ASSERT_NE(q.sprites[0].thumbnail, nullptr);
  EXPECT_EQ(q.sprites[0].thumbnail->width(), 150);
  ASSERT_NE(q.backgrounds[0].thumbnail, nullptr);
  ASSERT_NE(q.scenes[0].thumbnail, nullptr);
  // The tile (left 4, top 8, 16 x 24) is cut from the tile set.
  ASSERT_NE(q.tiles[0].image, nullptr);
  const Image& tile = *q.tiles[0].image;
  EXPECT_EQ(tile.width(), 16);
  EXPECT_EQ(tile.height(), 24);
  EXPECT_EQ(tile.Pixel(3, 0), (Color{0, 0, 0, 255}));
  EXPECT_EQ(tile.Pixel(4, 0), (Color{0, 0, 255, 255}));
  EXPECT_EQ(q.modified, 0);
}

TEST_F(ProjectFileTest, TilesOfAMissingTileSetAreRed) {
  Project p = FullProject();
  ASSERT_TRUE(WriteProject(p));  // t.png is not in the working folder
  Project q;
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "demo"));
  ASSERT_NE(q.tiles[0].image, nullptr);
  EXPECT_EQ(q.tiles[0].image->Pixel(0, 0), (Color{255, 0, 0, 255}));
  EXPECT_EQ(q.tiles[0].image->Pixel(15, 23), (Color{255, 0, 0, 255}));
}

TEST_F(ProjectFileTest, MediaAreCopiedIntoTheWorkingFolder) {
  MakeDirectory("Projects/demo");
  MakeDirectory("Projects/demo/img");
  MakeDirectory("Projects/demo/aud");
  WriteAll("Projects/demo/aud/j.wav", "W");
  WriteAll("Projects/demo/aud/s.mp3", "M");
  WriteAll("Projects/demo/img/t.png", "P");
  WriteAll("Projects/demo.xml", ProjectXml(FullProject()));
  Project q;
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "demo"));
  EXPECT_EQ(ReadAll(temp + "/j.wav"), "W");
  EXPECT_EQ(ReadAll(temp + "/s.mp3"), "M");
  EXPECT_EQ(ReadAll(temp + "/t.png"), "P");
  EXPECT_FALSE(FileExists(temp + "/j.ogg"));
}

TEST_F(ProjectFileTest, MediaComeFromTheFoldersTheProjectWasSavedWith) {
  Project p = FullProject();
  p.imgfolder = "pics";
  p.audfolder = "sfx";
  p.frames[0].image = ShareImage(Image::Opaque(2, 2));
  WriteAll(temp + "/j.wav", "W");
  ASSERT_TRUE(WriteProject(p));
  EXPECT_TRUE(IsRegularFile("Projects/demo/pics/hero_0.png"));
  fs::remove_all(temp);
  MakeDirectory(temp);

  Project q;  // the preferences say "img" and "aud"
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "demo"));
  EXPECT_EQ(q.imgfolder, "pics");
  EXPECT_EQ(q.audfolder, "sfx");
  EXPECT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(ReadAll(temp + "/j.wav"), "W");
}

TEST_F(ProjectFileTest, OlderLayoutReadsFromTheProjectFolder) {
  MakeDirectory("Projects/old");
  ASSERT_TRUE(SavePng(Image::Opaque(3, 3), "Projects/old/hero_0.png"));
  WriteAll("Projects/old/boom.wav", "B");
  WriteAll("Projects/old.xml",
           R"(<?xml version="1.0" encoding="UTF-8"?><vorlane version="128" uid="9" title="t" )"
           R"(advancedscriptmode="1"><functions>f</functions><variables>v</variables><comments/>)"
           R"(<sprites count="1"><sprite name="hero"/></sprites>)"
           R"(<frames count="1"><frame file="0" sprite="hero"/></frames>)"
           R"(<sounds count="1"><sound name="boom" wav="boom.wav" mp3="" ogg=""/></sounds>)"
           R"(<musics count="0"/><backgrounds count="0"/><fonts count="0"/>)"
           R"(<objects count="1"><object name="o" prototype="1" direction="5" image_angle="6"/>)"
           R"(</objects><scripts count="0"/><scenes count="0"/><layers count="0"/>)"
           R"(<tiles count="0"/><fns count="1"><fn name="ignored"/></fns></vorlane>)");
  Project q;
  q.imgfolder = "img";
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "old"));
  EXPECT_EQ(q.uid, 9);
  EXPECT_EQ(q.settings.functions, "f");
  EXPECT_EQ(q.settings.advancedscriptmode, 1);
  ASSERT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(ReadAll(temp + "/boom.wav"), "B");
  EXPECT_EQ(q.objects[0].direction, 0);
  EXPECT_EQ(q.objects[0].image_angle, 0);
  EXPECT_TRUE(q.fns.empty());
  EXPECT_EQ(q.imgfolder, "img");

  // Saving converts it to the current layout.
  ASSERT_TRUE(WriteProject(q));
  EXPECT_TRUE(IsRegularFile("Projects/old/img/hero_0.png"));
  EXPECT_EQ(ReadProjectVersion("old"), 129);
}

TEST_F(ProjectFileTest, VersionIsReadAndNewerFilesAreRefused) {
  WriteAll("Projects/new.xml", R"(<?xml version="1.0"?><vorlane version="130"><functions/>)");
  EXPECT_EQ(ReadProjectVersion("new"), 130);
  EXPECT_EQ(NewerVersionMessage(130), "This project requires a new program version (v130).");
  WriteAll("Projects/bare.xml", "<vorlane/>");
  EXPECT_EQ(ReadProjectVersion("bare"), 0);
  EXPECT_EQ(ReadProjectVersion("missing"), 0);

  Project q = FullProject();
  FileReport report;
  EXPECT_FALSE(ReadProject(q, "new", &report));
  EXPECT_EQ(report.error, NewerVersionMessage(130));
  EXPECT_EQ(q.projectname, "demo");
}

// A damaged file gives a clear error and the open project stays as it was.
class DamagedFileTest : public ProjectFileTest,
                        public ::testing::WithParamInterface<std::pair<const char*, std::string>> {
};

TEST_P(DamagedFileTest, IsRefusedAndChangesNothing) {
  WriteAll("Projects/bad.xml", GetParam().second);
  Project q = FullProject();
  q.tempfolder = temp;
  FileReport report;
  EXPECT_FALSE(ReadProject(q, "bad", &report));
  EXPECT_NE(report.error.find(GetParam().first), std::string::npos) << report.error;
  EXPECT_EQ(ProjectXml(q), ProjectXml(FullProject()));
  EXPECT_EQ(q.projectname, "demo");
  EXPECT_TRUE(fs::is_empty(temp));
}

std::string WithSprites(const std::string& sprites) {
  std::string xml = kMinimal;
  const std::string empty = R"(<sprites count="0"/>)";
  return xml.replace(xml.find(empty), empty.size(), sprites);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFileTest,
    ::testing::Values(
        std::make_pair("damaged (line 1", std::string("<?xml version=\"1.0\"?><vorlane")),
        std::make_pair("damaged (line", std::string("not xml at all")),
        std::make_pair("damaged (line", std::string("")),
        std::make_pair("\"fns\" is missing", std::string(kMinimal).replace(
                                                  std::string(kMinimal).find("<fns"), 15, "")),
        std::make_pair("\"sprites\" is missing",
                       std::string(R"(<vorlane version="129"><a/><b/><c/></vorlane>)")),
        std::make_pair("should hold 3 records but holds 1",
                       WithSprites(R"(<sprites count="3"><sprite name="a"/></sprites>)")),
        std::make_pair("should hold 2000000000 records but holds 0",
                       WithSprites(R"(<sprites count="2000000000"/>)")),
        std::make_pair("damaged (line 1", std::string(kMinimal) + "<extra/>"),
        std::make_pair("damaged (line 1", std::string("\x01"))));

TEST_F(ProjectFileTest, MissingFileIsAClearError) {
  Project q = FullProject();
  FileReport report;
  EXPECT_FALSE(ReadProject(q, "nothing", &report));
  EXPECT_EQ(report.error, "The project file \"Projects/nothing.xml\" could not be read.");
  EXPECT_FALSE(ReadProject(q, "../evil", &report));
  EXPECT_EQ(q.projectname, "demo");
}

TEST_F(ProjectFileTest, ExtraChildrenBeyondCountAreIgnored) {
  WriteAll("Projects/x.xml",
           WithSprites(R"(<sprites count="1"><sprite name="a"/><sprite name="b"/></sprites>)"));
  Project q;
  ASSERT_TRUE(ReadProject(q, "x"));
  ASSERT_EQ(q.sprites.size(), 1u);
  EXPECT_EQ(q.sprites[0].name, "a");
  EXPECT_EQ(q.sprites[0].collisionshape, "");  // missing attributes read as empty
}

TEST_F(ProjectFileTest, NamesThatLeaveTheirFolderAreSkipped) {
  // A file planted outside the project must neither be read nor overwritten.
  WriteAll("secret.wav", "secret");
  MakeDirectory("Projects/evil");
  MakeDirectory("Projects/evil/img");
  MakeDirectory("Projects/evil/aud");
  WriteAll("Projects/evil/aud/ok.wav", "fine");
  WriteAll("Projects/evil.xml",
           R"(<?xml version="1.0" encoding="UTF-8"?><vorlane version="129" uid="1" )"
           R"(imgfolder="img" audfolder="aud"><functions/><variables/><comments/>)"
           R"(<sprites count="1"><sprite name="../../../x"/></sprites>)"
           R"(<frames count="1"><frame file="0" sprite="../../../x"/></frames>)"
           R"(<sounds count="2"><sound name="a" wav="../../../secret.wav" mp3="/etc/passwd" )"
           R"(ogg=".."/><sound name="b" wav="ok.wav"/></sounds><musics count="0"/>)"
           R"(<backgrounds count="1"><background name="bg" file="../../secret.wav"/>)"
           R"(</backgrounds><fonts count="0"/><objects count="0"/><scripts count="0"/>)"
           R"(<scenes count="0"/><layers count="0"/><tiles count="0"/><fns count="0"/>)"
           R"(</vorlane>)");
  Project q;
  q.tempfolder = temp;
  FileReport report;
  ASSERT_TRUE(ReadProject(q, "evil", &report)) << report.error;
  EXPECT_GE(report.skipped.size(), 4u);
  EXPECT_EQ(ReadAll(temp + "/ok.wav"), "fine");
  EXPECT_FALSE(FileExists(temp + "/secret.wav"));
  EXPECT_FALSE(FileExists("_temp_000000/passwd"));

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
  Project p = FullProject();
  ASSERT_TRUE(WriteProject(p));
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
  p.projectname = "../outside";
  EXPECT_FALSE(WriteProject(p, &report));
  EXPECT_FALSE(FileExists("outside.xml"));
  p.projectname = "";
  EXPECT_FALSE(WriteProject(p, &report));
}

}  // namespace
}  // namespace vorlane

namespace vorlane {
namespace {

// A save replaces a file by renaming a new one over it, so the file's inode
// tells whether a save wrote it.
// Frames are shared and never changed in place: an edit shares a new copy.
ImageRef Plotted(const Image& image, Color color, int x = 0, int y = 0) {
  Image changed = image;
  changed.Plot(x, y, color);
  return ShareImage(std::move(changed));
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(ProjectFileTest, SavingAgainRewritesOnlyChangedFrames) {
  Project p = FullProject();
  p.frames.push_back({"1", "hero", nullptr});
  p.frames[0].image = ShareImage(Image::Opaque(3, 3));
  p.frames[1].image = ShareImage(Image::Opaque(2, 2));
  ASSERT_TRUE(WriteProject(p));
  const std::string first = "Projects/demo/img/hero_0.png";
  const std::string second = "Projects/demo/img/hero_1.png";
  const ino_t first_inode = Inode(first);
  const ino_t second_inode = Inode(second);

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
  Project q;
  q.tempfolder = temp;
  ASSERT_TRUE(ReadProject(q, "demo"));
  const ino_t opened = Inode(first);
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(Inode(first), opened);
  q.frames[0].image = Plotted(*q.frames[0].image, Color{200, 0, 0, 255}, 1, 1);
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(LoadImageFile(first).Pixel(1, 1), (Color{200, 0, 0, 255}));
}

}  // namespace
}  // namespace vorlane
