#include "generate/game_export.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <functional>

#include "generate/game_page.h"
#include "gui/file_util.h"
#include "project/project_file.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

struct Entry {
  std::string name, bytes;
  bool stored;  // not deflated
};

// Every entry of a zip, in the zip's order.
std::vector<Entry> Unzip(const std::string& path) {
  std::vector<Entry> entries;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!archive) return entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    std::string bytes(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, i, 0);
    zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    entries.push_back({stat.name, std::move(bytes), stat.comp_method == ZIP_CM_STORE});
  }
  zip_close(archive);
  return entries;
}

// The program runs in program/; outside/ beside it belongs to someone else.
// Each test starts with the sample saved and generated, with its media.
class GameExportTest : public test::InTempDir {
 protected:
  GameExportTest() {
    fs::create_directories("outside/aud");
    fs::create_directories("program");
    fs::current_path("program");
    for (const char* file : {"../outside/secret", "../outside/aud/jump.wav"})
      WriteAll(file, "secret");
    Save();
  }
  void Save() {
    fs::remove_all("Projects");
    fs::remove_all("work");
    project_ = test::SampleProject();
    project_.tempfolder = "work";
    MakeDirectory("work");
    test::WriteSampleMedia("work");
    EXPECT_TRUE(WriteProject(project_));
    GenerateReport report;
    EXPECT_TRUE(GenerateGame(project_, "//VORLANE_SPRITES", 1, &report)) << report.error;
  }
  // Nothing but the zip at `zip` (if any) was left beside the project.
  void ExpectOnly(const std::string& zip) {
    for (const std::string& name : ListFolder("."))
      EXPECT_TRUE(name == zip || name == "Projects" || name == "work") << name;
  }
  Project project_;
};

// Frames of a sprite no longer listed, names that are not plain file names
// and a file used twice add nothing; media folders may be empty.
TEST(GameFilesTest, ThePageTheScriptAndTheMediaTheScriptLoadsEachOnce) {
  Project p = test::SampleProject();
  const Strings sample = {"index.html",         "game.js",       "img/spr_hero_0.png",
                          "img/spr_hero_1.png", "img/tiles.png", "aud/jump.wav",
                          "aud/jump.ogg",       "aud/theme.mp3"};
  EXPECT_EQ(GameFiles(p), sample);
  p.frames.push_back({"0", "spr_gone", nullptr});
  p.backgrounds.push_back({"bg_odd", "../secret.png"});
  p.backgrounds.push_back({"bg_again", "tiles.png"});
  p.sounds.push_back({"snd_again", "jump.wav", "", ""});
  EXPECT_EQ(GameFiles(p), sample);
  p.imgfolder = "";
  EXPECT_EQ(GameFiles(p)[2], "spr_hero_0.png");
}

TEST_F(GameExportTest, TheZipHoldsExactlyTheGamesFilesAsTheyAreOnDisk) {
  ExportReport report;
  double done = 0;
  ASSERT_TRUE(ExportGame(project_, "demo.zip", &report, [&](double share) {
    EXPECT_GT(share, done);
    done = share;
    return true;
  })) << report.error;
  EXPECT_EQ(done, 1.0);
  EXPECT_EQ(report.files, GameFiles(project_));
  const auto entries = Unzip("demo.zip");
  ASSERT_EQ(entries.size(), report.files.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string& name = entries[i].name;
    EXPECT_EQ(name, report.files[i]);
    EXPECT_EQ(entries[i].bytes, ReadAll("Projects/demo/" + name)) << name;
    // Pictures and compressed sounds gain nothing from deflating.
    EXPECT_EQ(entries[i].stored,
              name.ends_with(".png") || name.ends_with(".ogg") || name.ends_with(".mp3"))
        << name;
  }
  ExpectOnly("demo.zip");
}

// An export that cannot be complete leaves the older zip and nothing else:
// every file is looked at before anything is written (a missing one, a
// folder in its place, a media folder or project name leading outside), and
// an export stopped half-way, cancelled or by a file changed while it was
// read, stops.
TEST_F(GameExportTest, AnExportThatCannotBeCompleteLeavesTheOldZip) {
  const std::string theme = "Projects/demo/aud/theme.mp3";  // read last
  const std::string folders = "the project's picture or sound folder is not a plain folder name.";
  const std::string changed =
      "the file \"" + theme + "\" changed while it was exported; export again once it is complete.";
  const auto keep = [](Project&) {};
  const struct {
    std::function<void(Project&)> spoil;
    std::function<bool()> half_way;  // answers the progress
    std::string error;
  } cases[] = {
      {[](Project&) { DeleteFile("Projects/demo/img/spr_hero_1.png"); }, nullptr,
       "the file \"Projects/demo/img/spr_hero_1.png\" the game needs is missing."},
      {[&](Project&) { DeleteFile(theme), MakeDirectory(theme); }, nullptr,
       "\"" + theme + "\" was not read: it is not a regular file."},
      {[](Project& p) { p.imgfolder = "../.."; }, nullptr, folders},
      {[](Project& p) { p.audfolder = "../.."; }, nullptr, folders},
      {[](Project& p) { p.projectname = "../demo"; }, nullptr,
       "the project has no name that can be used as a folder name."},
      {keep, [] { return false; }, "it was cancelled."},
      {keep, [&] { return fs::resize_file(theme, 1000), true; }, changed},
      {keep,
       [&] {
         return fs::last_write_time(theme, fs::last_write_time(theme) + std::chrono::seconds(1)),
                true;
       },
       changed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    Save();
    WriteAll(theme, std::string(1 << 20, 'm'));
    WriteAll("old.zip", "older export");
    Project p = project_;
    c.spoil(p);
    ExportReport report;
    bool stopped = false;
    EXPECT_FALSE(ExportGame(p, "old.zip", &report, [&](double done) {
      if (!c.half_way || done < 0.5 || stopped) return true;
      stopped = true;
      return c.half_way();
    }));
    EXPECT_EQ(report.error, "The game could not be exported: " + c.error);
    EXPECT_EQ(report.cancelled, c.error == "it was cancelled.");
    EXPECT_EQ(ReadAll("old.zip"), "older export");
    ExpectOnly("old.zip");
  }
  EXPECT_FALSE(ExportGame(project_, "no/such/folder/x.zip"));
}

// A link leading out of the program folder is never followed to a file of
// the game: exporting and saving fail naming it. A link that stays inside
// keeps working. (Opening is the project file tests' business.)
TEST_F(GameExportTest, MediaLinkedOutsideTheProgramFolderAreNeverRead) {
  const auto export_game = [](Project& p) {
    ExportReport report;
    ExportGame(p, "game.zip", &report);
    return report.error;
  };
  const auto save = [](Project& p) {
    FileReport report;
    WriteProject(p, &report);
    return report.error;
  };
  const auto save_as = [&](Project& p) {
    p.frames[0].image = ShareImage(Image());  // carried over from its file
    p.saved_frames["Projects/demo/img/spr_hero_0.png"] = {p.frames[0].image, 0, 0};
    p.projectname = "copy";
    return save(p);
  };
  const struct {
    const char* link;
    const char* target;  // in the program folder unless "../"
    std::function<std::string(Project&)> run;
    const char* named;  // the file refused, "" when all went well
  } cases[] = {
      {"Projects/demo/img/tiles.png", "../outside/secret", export_game,
       "Projects/demo/img/tiles.png"},
      {"Projects/demo/aud", "../outside/aud", export_game, "Projects/demo/aud/jump.wav"},
      {"Projects/demo/img/tiles.png", "work/tiles.png", export_game, ""},
      {"work/jump.wav", "../outside/secret", save, "work/jump.wav"},
      {"Projects/demo/img/spr_hero_0.png", "../outside/secret", save_as,
       "Projects/demo/img/spr_hero_0.png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link + std::string(" -> ") + c.target);
    Save();
    fs::remove_all(c.link);
    fs::create_symlink(fs::absolute(c.target), c.link);
    Project p = project_;
    const std::string said = c.run(p);
    if (*c.named == '\0')
      EXPECT_TRUE(said.empty() && IsRegularFile("game.zip")) << said;
    else
      EXPECT_NE(said.find("\"" + std::string(c.named) +
                          "\" was not read: it leads outside the program folder"),
                std::string::npos)
          << said;
    EXPECT_FALSE(c.named[0] && FileExists("game.zip"));
    for (const char* file : {"Projects/copy/img/spr_hero_0.png", "Projects/demo/aud/jump.wav"})
      EXPECT_FALSE(!fs::is_symlink(fs::path(file).parent_path()) && IsRegularFile(file) &&
                   ReadAll(file) == "secret")
          << file;
    fs::remove("game.zip");
  }
}

// (The status after an export is the export command's test.)
TEST(GameExportNamesTest, ZipPathsAndProgressText) {
  EXPECT_EQ(ExportFileName("my game"), "my game.zip");
  EXPECT_EQ(ExportingText("out/g.zip"), "Exporting the game to g.zip...");
  for (const auto& [chosen, path] : {std::pair{"", ""},
                                     {"out/game", "out/game.zip"},
                                     {"game.ZIP", "game.ZIP"},
                                     {"zip", "zip.zip"}})
    EXPECT_EQ(ExportZipPath(chosen), path);
}

}  // namespace
}  // namespace vorlane
