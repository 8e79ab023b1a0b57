#include "generate/game_export.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <functional>

#include "generate/game_page.h"
#include "gui/file_util.h"
#include "gui/preferences.h"
#include "project/lifecycle.h"
#include "project/project_file.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

// Every entry of a zip with its bytes, in the zip's order.
std::vector<std::pair<std::string, std::string>> Unzip(const std::string& path) {
  std::vector<std::pair<std::string, std::string>> entries;
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
    entries.emplace_back(stat.name, std::move(bytes));
  }
  zip_close(archive);
  return entries;
}

// The program runs in program/; outside/ beside it belongs to someone else.
class GameExportTest : public test::InTempDir {
 protected:
  GameExportTest() {
    fs::create_directories("outside/aud");
    fs::create_directories("program");
    fs::current_path("program");
    for (const char* file : {"../outside/secret", "../outside/aud/jump.wav"})
      WriteAll(file, "secret");
  }

  // The sample saved and generated as the program does, with its media.
  Project Saved() {
    Project p = test::SampleProject();
    p.tempfolder = "work";
    MakeDirectory("work");
    test::WriteSampleMedia("work");
    EXPECT_TRUE(WriteProject(p));
    GenerateReport report;
    EXPECT_TRUE(GenerateGame(p, "//VORLANE_SPRITES", 1, &report)) << report.error;
    return p;
  }
};

TEST(GameFilesTest, ThePageTheScriptAndTheMediaTheScriptLoadsEachOnce) {
  Project p = test::SampleProject();
  const Strings sample = {"index.html",         "game.js",       "img/spr_hero_0.png",
                          "img/spr_hero_1.png", "img/tiles.png", "aud/jump.wav",
                          "aud/jump.ogg",       "aud/theme.mp3"};
  EXPECT_EQ(GameFiles(p), sample);

  // Frames of a sprite no longer listed, names that are not plain file
  // names and a file used twice add nothing; media folders may be empty.
  p.frames.push_back({"0", "spr_gone", nullptr, "", 0, -1});
  p.backgrounds.push_back({"bg_odd", "../secret.png", nullptr});
  p.backgrounds.push_back({"bg_again", "tiles.png", nullptr});
  p.sounds.push_back({"snd_again", "jump.wav", "", ""});
  EXPECT_EQ(GameFiles(p), sample);
  p.imgfolder = "";
  EXPECT_EQ(GameFiles(p)[2], "spr_hero_0.png");
}

TEST_F(GameExportTest, TheZipHoldsExactlyTheGamesFilesAsTheyAreOnDisk) {
  const Project p = Saved();
  ExportReport report;
  double done = 0;
  ASSERT_TRUE(ExportGame(p, "demo.zip", &report, [&](double share) {
    EXPECT_GT(share, done);
    done = share;
    return true;
  })) << report.error;
  EXPECT_EQ(done, 1.0);
  EXPECT_EQ(report.files, GameFiles(p));
  const auto entries = Unzip("demo.zip");
  ASSERT_EQ(entries.size(), report.files.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].first, report.files[i]);
    EXPECT_EQ(entries[i].second, ReadAll("Projects/demo/" + report.files[i])) << entries[i].first;
  }
  // Nothing but the zip was left beside it.
  for (const std::string& name : ListFolder("."))
    EXPECT_TRUE(name == "demo.zip" || name == "Projects" || name == "work") << name;
}

TEST_F(GameExportTest, AMissingFileIsNamedAndNoZipIsWritten) {
  const Project p = Saved();
  ExportReport report;
  WriteAll("old.zip", "older export");
  ASSERT_TRUE(DeleteFile("Projects/demo/img/spr_hero_1.png"));
  EXPECT_FALSE(ExportGame(p, "old.zip", &report));
  EXPECT_EQ(report.error,
            "The game could not be exported: the file \"Projects/demo/img/spr_hero_1.png\" the "
            "game needs is missing.");
  EXPECT_EQ(ReadAll("old.zip"), "older export");
  EXPECT_FALSE(ExportGame(p, "new.zip", &report));
  EXPECT_FALSE(FileExists("new.zip"));

  // A folder where a picture should be is no picture.
  ASSERT_TRUE(DeleteFile("Projects/demo/img/spr_hero_0.png"));
  MakeDirectory("Projects/demo/img/spr_hero_0.png");
  EXPECT_FALSE(ExportGame(p, "new.zip", &report));
  EXPECT_NE(report.error.find("spr_hero_0.png"), std::string::npos) << report.error;
  EXPECT_FALSE(FileExists("new.zip"));
}

TEST_F(GameExportTest, MediaFoldersOrNamesLeadingOutsideAreRefused) {
  Project p = Saved();
  p.imgfolder = "../..";
  ExportReport report;
  EXPECT_FALSE(ExportGame(p, "x.zip", &report));
  EXPECT_EQ(report.error,
            "The game could not be exported: the project's picture or sound folder is not a "
            "plain folder name.");
  p.imgfolder = "img";
  p.projectname = "../demo";
  EXPECT_FALSE(ExportGame(p, "x.zip", &report));
  EXPECT_FALSE(FileExists("x.zip"));
}

// A link leading out of the program folder is never followed to a file of
// the game: opening names the file and leaves it out, saving and exporting
// fail naming it. A link that stays inside keeps working.
TEST_F(GameExportTest, MediaLinkedOutsideTheProgramFolderAreNeverRead) {
  const auto export_game = [](Project& p) {
    ExportReport report;
    ExportGame(p, "game.zip", &report);
    return report.error;
  };
  const auto open = [](Project&) {
    Project q;
    Preferences prefs;
    StartNewProject(q, prefs);
    FileReport report;
    EXPECT_TRUE(OpenProjectNamed(q, prefs, "demo", &report));
    for (const std::string& name : ListFolder(q.tempfolder))
      EXPECT_NE(ReadAll(q.tempfolder + "/" + name), "secret") << name;
    return report.unreadable.empty() ? "" : report.unreadable[0];
  };
  const auto save_as = [](Project& p) {
    p.frames[0].image = nullptr;  // carried over from its file
    p.frames[0].stored_path = "Projects/demo/img/spr_hero_0.png";
    p.projectname = "copy";
    FileReport report;
    WriteProject(p, &report);
    return report.error;
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
      {"Projects/demo/img/tiles.png", "../outside/secret", open, "Projects/demo/img/tiles.png"},
      {"Projects/demo/aud", "../outside/aud", open, "Projects/demo/aud/jump.wav"},
      {"work/jump.wav", "../outside/secret",
       [](Project& p) {
         FileReport report;
         WriteProject(p, &report);
         return report.error;
       },
       "work/jump.wav"},
      {"Projects/demo/img/spr_hero_0.png", "../outside/secret", save_as,
       "Projects/demo/img/spr_hero_0.png"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link + std::string(" -> ") + c.target);
    fs::remove_all("Projects");
    fs::remove_all("work");
    Project p = Saved();
    fs::remove_all(c.link);
    fs::create_symlink(fs::absolute(c.target), c.link);
    const std::string said = c.run(p);
    if (*c.named == '\0') {
      EXPECT_EQ(said, "");
      EXPECT_TRUE(IsRegularFile("game.zip"));
    } else {
      EXPECT_NE(said.find("\"" + std::string(c.named) +
                          "\" was not read: it leads outside the program folder"),
                std::string::npos)
          << said;
    }
    EXPECT_FALSE(c.named[0] && FileExists("game.zip"));
    for (const char* file : {"Projects/copy/img/spr_hero_0.png", "Projects/demo/aud/jump.wav"})
      EXPECT_FALSE(!fs::is_symlink(fs::path(file).parent_path()) && IsRegularFile(file) &&
                   ReadAll(file) == "secret")
          << file;
    fs::remove("game.zip");
  }
}

// An export stopped half-way, because it was cancelled or because a file
// changed while it was read, leaves the older zip and nothing else.
TEST_F(GameExportTest, AnExportStoppedHalfWayLeavesTheOldZip) {
  const Project p = Saved();
  const std::string theme = "Projects/demo/aud/theme.mp3";  // read last
  const struct {
    const char* what;
    std::function<bool()> half_way;  // answers the progress
    const char* error;
  } cases[] = {
      {"cancelled", [] { return false; }, "The game could not be exported: it was cancelled."},
      {"cut short",
       [&] {
         fs::resize_file(theme, 1000);
         return true;
       },
       "The game could not be exported: the file \"Projects/demo/aud/theme.mp3\" changed while "
       "it was exported; export again once it is complete."},
      {"rewritten",
       [&] {
         fs::last_write_time(theme, fs::last_write_time(theme) + std::chrono::seconds(1));
         return true;
       },
       "The game could not be exported: the file \"Projects/demo/aud/theme.mp3\" changed while "
       "it was exported; export again once it is complete."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAll(theme, std::string(1 << 20, 'm'));
    WriteAll("old.zip", "older export");
    ExportReport report;
    bool stopped = false;
    EXPECT_FALSE(ExportGame(p, "old.zip", &report, [&](double done) {
      if (done < 0.5 || stopped) return true;
      stopped = true;
      return c.half_way();
    }));
    EXPECT_EQ(report.error, c.error);
    EXPECT_EQ(report.cancelled, std::string(c.what) == "cancelled");
    EXPECT_EQ(ReadAll("old.zip"), "older export");
    for (const std::string& name : ListFolder("."))
      EXPECT_TRUE(name == "old.zip" || name == "Projects" || name == "work") << name;
  }
}

TEST(GameExportNamesTest, ZipPathsAndStatus) {
  EXPECT_EQ(ExportFileName("my game"), "my game.zip");
  EXPECT_EQ(ExportZipPath(""), "");
  EXPECT_EQ(ExportZipPath("out/game"), "out/game.zip");
  EXPECT_EQ(ExportZipPath("game.ZIP"), "game.ZIP");
  EXPECT_EQ(ExportZipPath("zip"), "zip.zip");
  EXPECT_EQ(ExportedStatus("g.zip", 3), "GAME EXPORTED: g.zip (3 files).");
  EXPECT_EQ(ExportingText("out/g.zip"), "Exporting the game to g.zip...");
}

}  // namespace
}  // namespace vorlane
