#include "project/project_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <climits>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>

#include "gui/file_util.h"
#include "gui/golden.h"
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

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every record's attributes in their order, and an empty project's lists.
TEST(ProjectXmlTest, TheFileIsExact) {
  test::ExpectGolden("sample.xml", ProjectXml(SampleProject()));
  test::ExpectGolden("empty.xml", ProjectXml(Project{}));
}

TEST(ProjectXmlTest, EscapingAndUnwritableCharacters) {
  Project p;
  p.settings.title = "a&b<c>d\"e'f\tg\x01h\ni\r";
  p.settings.comments = "x\"y'z>\r\n\x0b\t\xEF\xBF\xBE\xFF\xE0\x80\x80.";
  const std::string xml = ProjectXml(p);
  EXPECT_TRUE(Has(xml, R"(title="a&amp;b&lt;c&gt;d&quot;e&apos;f&#9;gh&#10;i&#13;")")) << xml;
  EXPECT_TRUE(
      Has(xml, "<comments>x\"y'z&gt;&#13;\n\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.<"))
      << xml;
}

// Every text the project file stores, the project's own first.
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
    Project p = SampleProject(), q;
    for (std::string* field : TextFields(p)) *field = test::RandomBytes(random);
    ProjectHeader header;
    std::string error;
    ASSERT_TRUE(ParseProjectXml(ProjectXml(p), q, &header, &error)) << error;
    q.imgfolder = header.imgfolder;
    q.audfolder = header.audfolder;
    const auto written = TextFields(p), read = TextFields(q);
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
  // Opens `name` into a fresh, empty working folder.
  Project Opened(FileReport& report, const PictureLimits& limits = {},
                 const std::string& name = "demo") {
    fs::remove_all(temp);
    MakeDirectory(temp);
    Project q;
    q.tempfolder = temp;
    report = {};
    EXPECT_TRUE(ReadProject(q, name, &report, limits)) << report.error;
    return q;
  }
  Project Opened(const std::string& name = "demo") {
    FileReport report;
    return Opened(report, {}, name);
  }
  const std::string temp = "_temp_000000";
};

Image Red() {
  Image red = Image::Transparent(16, 24);
  red.Fill(Color{255, 0, 0, 255});
  return red;
}

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
  EXPECT_EQ(LoadImageFile("Projects/demo/img/spr_hero_1.png"), *p.frames[1].image);
  EXPECT_EQ(ListFolder("Projects").size(), 2u);  // no temporary files left behind

  Project q = Opened();
  EXPECT_EQ(q.projectname, "demo");
  EXPECT_EQ(q.modified, 0);
  EXPECT_EQ(ProjectXml(q), saved);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "wav bytes");
  // The run-time pictures are rebuilt: frames, objects' first frames, cards
  // and tiles cut from their tile set (16 x 24 at left 4, top 8).
  EXPECT_EQ(*q.frames[1].image, *p.frames[1].image);
  EXPECT_EQ(q.objects[1].image, q.frames[0].image);  // inst_11
  EXPECT_EQ(q.objects[1].imagewidth, 16);
  EXPECT_EQ(q.objects[2].image, nullptr);
  EXPECT_NE(q.sprites[0].thumbnail, nullptr);
  EXPECT_NE(q.scenes[0].thumbnail, nullptr);
  Image tile = Image::Transparent(16, 24);
  tile.Draw(test::SampleTileSet(), -4, -8, DrawMode::Copy);
  EXPECT_EQ(*q.tiles[0].image, tile);

  // Saving what was opened gives the same bytes; a stale instance depth
  // gives way to its object's on opening; tiles of a missing tile set are red.
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/demo.xml"), saved);
  p.objects[3].depth = -99;
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(Opened().objects[3].depth, 5);
  fs::remove("Projects/demo/img/tiles.png");
  EXPECT_EQ(*Opened().tiles[1].image, Red());
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
  WriteAll("Projects/demo.xml", xml.replace(xml.find("&#10;"), 5, "\n"));
  q = Opened();
  EXPECT_EQ(q.fns[0].params, "x y");
  EXPECT_EQ(q.fns[0].description, "line one\r\ntwo\r");
}

// Media come from the folders the file names; version 128 kept them beside
// the project file and had neither object angles nor functions, and saving
// converts it.
TEST_F(ProjectFileTest, MediaFoldersOfTheFileAndOfTheOlderLayout) {
  SavedSample([](Project& p) { p.imgfolder = "pics", p.audfolder = "sfx"; });
  EXPECT_TRUE(IsRegularFile("Projects/demo/pics/spr_hero_0.png"));
  Project q = Opened();
  EXPECT_EQ(q.imgfolder + q.audfolder, "picssfx");
  EXPECT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "wav bytes");

  Project p = SampleProject();
  p.imgfolder = "pics";
  std::string xml = ProjectXml(p);
  WriteAll("Projects/old.xml", xml.replace(xml.find("version=\"129\""), 13, "version=\"128\""));
  MakeDirectory("Projects/old");
  ASSERT_TRUE(SavePng(*p.frames[0].image, "Projects/old/spr_hero_0.png"));
  WriteAll("Projects/old/jump.wav", "B");
  q = Opened("old");
  EXPECT_EQ(q.objects[3].direction, 0);
  EXPECT_EQ(q.objects[3].image_angle, 0);
  EXPECT_TRUE(q.fns.empty());
  EXPECT_EQ(q.imgfolder, "img");
  EXPECT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(ReadAll(temp + "/jump.wav"), "B");
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(LoadImageFile("Projects/old/img/spr_hero_0.png"), *p.frames[0].image);
  EXPECT_EQ(ReadProjectVersion("old"), 129);
}

// A damaged, missing or newer file gives a clear error and the open project
// stays as it was; children past the count are ignored.
TEST_F(ProjectFileTest, UnreadableFilesAreRefusedAndChangeNothing) {
  const std::string empty = ProjectXml(Project{});
  const auto with = [&](const std::string& part, const std::string& instead) {
    std::string xml = empty;
    return xml.replace(xml.find(part), part.size(), instead);
  };
  const struct {
    const char* name;
    std::optional<std::string> bytes;  // no file without
    std::string error;                 // part of the message
  } cases[] = {
      {"cut", "<?xml version=\"1.0\"?><vorlane", "damaged (line 1"},
      {"text", "not xml at all", "damaged (line"},
      {"empty", "", "damaged (line"},
      {"control", "\x01", "damaged (line 1"},
      {"extra", empty + "<extra/>", "damaged (line 1"},
      {"nofns", with("<fns count=\"0\"/>", ""), "\"fns\" is missing"},
      {"nosprites", R"(<vorlane version="129"><a/><b/><c/></vorlane>)", "\"sprites\" is missing"},
      {"short",
       with("<sprites count=\"0\"/>", R"(<sprites count="3"><sprite name="a"/></sprites>)"),
       "should hold 3 records but holds 1"},
      {"huge", with("<sprites count=\"0\"/>", R"(<sprites count="2000000000"/>)"),
       "should hold 2000000000 records but holds 0"},
      {"newer", R"(<?xml version="1.0"?><vorlane version="130"><functions/>)",
       "This project requires a new program version (v130)."},
      {"missing", std::nullopt, "Could not read \"Projects/missing.xml\""},
      {"../evil", std::nullopt, "\"../evil\" is not a project name."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.bytes) WriteAll(std::string("Projects/") + c.name + ".xml", *c.bytes);
    Project q = SampleProject();
    q.tempfolder = temp;
    FileReport report;
    EXPECT_FALSE(ReadProject(q, c.name, &report));
    EXPECT_TRUE(Has(report.error, c.error)) << report.error;
    EXPECT_EQ(ProjectXml(q), ProjectXml(SampleProject()));
    EXPECT_TRUE(fs::is_empty(temp));
  }
  EXPECT_EQ(ReadProjectVersion("newer"), 130);
  WriteAll("Projects/bare.xml", "<vorlane/>");
  EXPECT_EQ(ReadProjectVersion("bare"), 0);
  EXPECT_EQ(ReadProjectVersion("missing"), 0);

  WriteAll("Projects/x.xml",
           with("<sprites count=\"0\"/>",
                R"(<sprites count="1"><sprite name="a"/><sprite name="b"/></sprites>)"));
  const Project q = Opened("x");
  ASSERT_EQ(q.sprites.size(), 1u);
  EXPECT_EQ(q.sprites[0].name + q.sprites[0].collisionshape, "a");  // missing attributes: empty
}

// A file planted outside the project is neither read nor overwritten, and
// a project name that is not a plain file name is refused.
TEST_F(ProjectFileTest, NamesThatLeaveTheirFolderAreSkipped) {
  WriteAll("secret.wav", "secret");
  fs::create_directories("Projects/evil/aud");
  WriteAll("Projects/evil/aud/ok.wav", "fine");
  Project evil;
  evil.sprites.push_back({"../../../x", nullptr, "Box", 0, 0, 0, 0, 0, 0, 0});
  evil.frames.push_back({"0", "../../../x", nullptr, "", 0, -1});
  evil.sounds = {{"a", "../../../secret.wav", "/etc/passwd", ".."}, {"b", "ok.wav", "", ""}};
  evil.backgrounds.push_back({"bg", "../../secret.wav", nullptr, 0, 32, 32, 0, 0, 0, 0});
  WriteAll("Projects/evil.xml", ProjectXml(evil));
  FileReport report;
  Project q = Opened(report, {}, "evil");
  EXPECT_GE(report.skipped.size(), 4u);
  EXPECT_EQ(ReadAll(temp + "/ok.wav"), "fine");
  EXPECT_EQ(ListFolder(temp).size(), 1u);

  q.frames[0].image = ShareImage(Image::Opaque(1, 1));
  WriteAll(temp + "/secret.wav", "from temp");
  ASSERT_TRUE(WriteProject(q, &report)) << report.error;
  EXPECT_FALSE(report.skipped.empty());
  EXPECT_EQ(ReadAll("secret.wav"), "secret");
  EXPECT_FALSE(FileExists("x_0.png"));
  EXPECT_EQ(ReadAll("Projects/evil/aud/ok.wav"), "fine");
  for (const char* name : {"../outside", "", ".."}) {
    q.projectname = name;
    EXPECT_FALSE(WriteProject(q, &report)) << name;
    EXPECT_TRUE(Has(report.error, "cannot be used as a file name")) << name;
  }
  q.projectname = "evil";
  q.audfolder = "../..";
  EXPECT_FALSE(WriteProject(q, &report));
  EXPECT_TRUE(Has(report.error, "is not a plain folder name")) << report.error;
}

// A save replaces a file by renaming a new one over it, so the file's inode
// tells whether a save wrote it.
ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

ImageRef Plotted(const Image& image, Color color) {
  Image changed = image;
  changed.Plot(1, 1, color);
  return ShareImage(std::move(changed));
}

// Only changed frames are written again, and a frame file deleted behind the
// program's back; frames sharing a number get files of their own.
TEST_F(ProjectFileTest, SavingAgainWritesWhatChanged) {
  Project p = SavedSample();
  const std::string first = "Projects/demo/img/spr_hero_0.png",
                    second = "Projects/demo/img/spr_hero_1.png";
  const ino_t first_inode = Inode(first), second_inode = Inode(second);
  p.frames[1].image = Plotted(*p.frames[1].image, Color{9, 9, 9, 255});
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(Inode(first), first_inode);
  EXPECT_NE(Inode(second), second_inode);
  EXPECT_EQ(LoadImageFile(second), *p.frames[1].image);
  fs::remove(first);
  ASSERT_TRUE(WriteProject(p));
  EXPECT_EQ(LoadImageFile(first), *p.frames[0].image);

  // Opening records what the files hold: saving straight after rewrites nothing.
  Project q = Opened();
  const ino_t opened = Inode(first);
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(Inode(first), opened);

  q.frames.push_back(q.frames[0]);
  q.frames.back().image = Plotted(*q.frames[0].image, Color{0, 200, 0, 255});
  FileReport report;
  ASSERT_TRUE(WriteProject(q, &report));
  EXPECT_EQ(q.frames.back().file, "2");
  EXPECT_EQ(LoadImageFile(first), *q.frames[0].image);
  EXPECT_EQ(LoadImageFile("Projects/demo/img/spr_hero_2.png"), *q.frames.back().image);
  EXPECT_TRUE(Has(WarningText(report), "spr_hero frame 0 is now frame 2"));
}

// Pictures not loaded are never lost: their files are saved unchanged, under
// the same name, a new project's or a renamed sprite's; the warning says why.
// Past the budget of all pictures together: frames, then the tile set while
// it is cut, then its tiles count in order (16 x 16 and 24 x 20 pixels,
// 64 x 64, then 16 x 24 each).
TEST_F(ProjectFileTest, FramesTooLargeOrPastTheBudgetKeepTheirFiles) {
  const Project p = SavedSample();
  const std::string big = "Projects/demo/img/spr_hero_1.png";
  ASSERT_TRUE(SavePng(Image::Opaque(16385, 1), big));
  const std::string bytes = ReadAll(big);
  FileReport report;
  Project q = Opened(report);
  EXPECT_EQ(q.frames[1].image, nullptr);
  EXPECT_EQ(report.too_large, std::vector<std::string>{"spr_hero_1.png"});
  EXPECT_TRUE(Has(WarningText(report),
                  "larger than 16384 x 16384 pixels, more than can be edited, "
                  "so they are not shown: spr_hero_1.png. Their files are kept"));
  for (const char* name : {"demo", "copy"}) {
    q.projectname = name;
    ASSERT_TRUE(WriteProject(q));
    EXPECT_EQ(ReadAll("Projects/" + std::string(name) + "/img/spr_hero_1.png"), bytes) << name;
  }
  q.sprites[0].name = q.frames[0].sprite = q.frames[1].sprite = "spr_new";
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/copy/img/spr_new_1.png"), bytes);

  ASSERT_TRUE(SavePng(*p.frames[1].image, big));
  q = Opened(report, {16384, 256 + 384});
  EXPECT_EQ(q.tiles[1].image, nullptr);
  EXPECT_EQ(report.over_budget,
            (std::vector<std::string>{"spr_hero_1.png", "tiles.png", "tile_17"}));
  EXPECT_TRUE(
      Has(WarningText(report), "more than 2 KB of memory: spr_hero_1.png, tiles.png, tile_17."));

  // What can be edited loads, past the old limit of 4096 x 4096 pixels.
  ASSERT_TRUE(SavePng(Image::Opaque(16384, 1025), big));
  q = Opened(report);
  EXPECT_EQ(q.frames[1].image->width(), 16384);
  EXPECT_EQ(WarningText(report), "");
}

// Every picture is counted from the size its file's header declares before
// it is decoded, whatever its format; what is not loaded is reported with the
// true reason, and a tile set not loaded gives red tiles and a bare card.
TEST_F(ProjectFileTest, PicturesAreCountedFromTheirHeadersBeforeDecoding) {
  SavedSample();
  const std::string first = "Projects/demo/img/spr_hero_0.png", set = "Projects/demo/img/tiles.png";
  const std::string first_png = ReadAll(first), set_png = ReadAll(set);
  const auto expect_red = [&](const Project& q) {
    for (const Tile& tile : q.tiles) EXPECT_EQ(*tile.image, Red());
    EXPECT_EQ(*q.backgrounds[0].thumbnail, *StockCardPicture());
  };
  FileReport report;
  Project q = Opened(report, {16384, 256 + 480 + 64 * 64 + 384});
  EXPECT_EQ(report.over_budget, std::vector<std::string>{"tiles.png"});
  expect_red(q);
  q = Opened(report, {16384, 256 + 480 + 64 * 64 + 2 * 384});
  EXPECT_EQ(WarningText(report), "");
  const Image tile_set = test::SampleTileSet();
  EXPECT_EQ(*q.backgrounds[0].thumbnail, *BackgroundCard(&tile_set));

  // A first frame held as a BMP counts first.
  QImage bmp_frame(16, 16, QImage::Format_RGB32);
  bmp_frame.fill(Qt::white);
  ASSERT_TRUE(bmp_frame.save(QString::fromStdString(first), "BMP"));
  q = Opened(report, {16384, 480});
  EXPECT_NE(q.frames[0].image, nullptr);
  EXPECT_EQ(report.over_budget,
            (std::vector<std::string>{"spr_hero_1.png", "tiles.png", "tile_16", "tile_17"}));

  // Headers declaring more than can be edited, with nothing behind them.
  std::string bmp = ReadAll(first).substr(0, 54), png = set_png.substr(0, 33);
  WriteAll(first, bmp.replace(18, 4, std::string("\x01\x40\0\0", 4)));  // 16385 wide
  WriteAll(set, png.replace(16, 4, std::string("\0\0\x40\x01", 4)));
  q = Opened(report);
  EXPECT_EQ(report.too_large, (std::vector<std::string>{"spr_hero_0.png", "tiles.png"}));
  expect_red(q);

  // Files that do not decode to the size they declare are refused.
  WriteAll(first, first_png.substr(0, first_png.size() / 2));
  WriteAll("Projects/demo/img/spr_hero_1.png", "not a picture");
  WriteAll(set, set_png);
  q = Opened(report, {16384, 64 * 64 + 2 * 384});
  EXPECT_EQ(report.undecodable, (std::vector<std::string>{"spr_hero_0.png", "spr_hero_1.png"}));
  EXPECT_TRUE(report.over_budget.empty());
  EXPECT_TRUE(Has(WarningText(report),
                  "not shown, because their files could not be read as PNG, "
                  "JPEG or BMP pictures of the size they declare: "
                  "spr_hero_0.png, spr_hero_1.png. Their files are kept"));
  ASSERT_TRUE(WriteProject(q));
  EXPECT_EQ(ReadAll("Projects/demo/img/spr_hero_1.png"), "not a picture");
}

// A tile's corner may be anywhere an int reaches: it gets what of the
// picture lies under it, and no arithmetic on the corner overflows.
TEST_F(ProjectFileTest, TilesFarOffTheirPictureAreCutSafely) {
  SavedSample([](Project& p) {
    const int corners[][2] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {-4, 60}, {0, 0}};
    p.tiles.assign(4, p.tiles[0]);
    for (int i = 0; i < 4; ++i) {
      p.tiles[i] = {"tile_" + std::to_string(i), "bg_tiles", corners[i][0], corners[i][1], 16, 24};
    }
    p.tiles[3].width = INT_MAX;
  });
  FileReport report;
  const Project q = Opened(report);
  const Image clear = Image::Transparent(16, 24);
  EXPECT_EQ(*q.tiles[0].image, clear);
  EXPECT_EQ(*q.tiles[1].image, clear);
  Image corner = clear;
  corner.Draw(test::SampleTileSet(), 4, -60, DrawMode::Copy);
  EXPECT_EQ(*q.tiles[2].image, corner);
  EXPECT_EQ(q.tiles[3].image, nullptr);
  EXPECT_EQ(report.too_large, std::vector<std::string>{"tile_3"});
}

// A media folder name that would leave the project gives way to the
// preferences' one, checked the same way, then to the usual one; every name
// passed over is reported.
TEST_F(ProjectFileTest, MediaFoldersOutsideTheProjectAreNeverRead) {
  SavedSample();
  std::string xml = ReadAll("Projects/demo.xml");
  for (const std::string folder : {"imgfolder=\"img\"", "audfolder=\"aud\""})
    xml.replace(xml.find(folder), folder.size(), folder.substr(0, 11) + "../../x\"");
  MakeDirectory("y");  // where "../../y" from the project folder leads
  WriteAll("y/jump.wav", "outside");
  const auto open = [&](const std::string& file_text) {
    WriteAll("Projects/demo.xml", file_text);
    fs::remove_all(temp);
    MakeDirectory(temp);
    Project q;
    q.tempfolder = temp;
    q.imgfolder = q.audfolder = "../../y";
    FileReport report;
    EXPECT_TRUE(ReadProject(q, "demo", &report)) << report.error;
    EXPECT_EQ(q.imgfolder + q.audfolder, "imgaud");
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
  const std::string frame = "Projects/demo/img/spr_hero_1.png",
                    sound = "Projects/demo/aud/jump.wav", picture = "Projects/demo/img/tiles.png";
  for (const std::string& file : {frame, sound, picture}) fs::remove(file);
  fs::create_symlink("/dev/zero", frame);
  ASSERT_EQ(::mkfifo(sound.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(picture.c_str(), 0600), 0);
  FileReport report;
  Project q = Opened(report);
  const std::string text = WarningText(report);
  // A device is reached through a link, which leads out of the program folder.
  EXPECT_TRUE(Has(text, "\"" + frame +
                            "\" was not read: it leads outside the program folder, to "
                            "\"/dev/zero\"."))
      << text;
  for (const std::string& file : {sound, picture})
    EXPECT_TRUE(Has(text, "\"" + file + "\" was not read: it is not a regular file.")) << text;
  EXPECT_EQ(q.frames[1].image, nullptr);
  EXPECT_FALSE(FileExists(temp + "/jump.wav"));

  fs::remove(temp + "/jump.ogg");
  ASSERT_EQ(::mkfifo((temp + "/jump.ogg").c_str(), 0600), 0);
  EXPECT_FALSE(WriteProject(q, &report));
  EXPECT_TRUE(Has(report.error, "could not be written: Projects/demo/aud/jump.ogg.\n\"" + temp +
                                    "/jump.ogg\" was not read: it is not a regular file."))
      << report.error;
  EXPECT_EQ(ReadAll("Projects/demo/aud/jump.ogg"), "ogg bytes");
  EXPECT_TRUE(fs::is_symlink(frame));
}

}  // namespace
}  // namespace vorlane
