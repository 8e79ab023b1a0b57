// The main window's decisions without a window: its texts, what Help opens,
// what the Preferences window stores and saving under a new name.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_text.h"
#include "app/help_file.h"
#include "app/preferences_form.h"
#include "app/project_save.h"
#include "generate/run_game.h"
#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::WriteAll;

TEST(AppText, VersionsAndTheRunGameStatusLine) {
  EXPECT_EQ(VersionText(7) + " " + AboutVersionLine(130), "v0.0.7 version 1.3.0");
  const struct {
    std::vector<std::string> written;
    std::string address, program, status;
  } cases[] = {
      {{"/p/index.html", "/p/game.js"},
       "file:///p/index.html",
       "/usr/bin/x-www-browser",
       "WROTE index.html, game.js. OPENING file:///p/index.html WITH x-www-browser."},
      {{"game.js"}, "/p/index.html", "", "WROTE game.js. NO WEB BROWSER COULD BE STARTED."},
      {{"/p/game.js"}, "", "browser", "WROTE game.js."},
      {{}, "page", "browser", "OPENING page WITH browser."},
  };
  for (const auto& c : cases) EXPECT_EQ(RunGameStatus(c.written, c.address, c.program), c.status);
}

class AppFilesTest : public test::InTempDir {
 protected:
  std::string here_ = WorkingDirectory();
};

// The help file first, then a manual page that is a non-empty file; the
// address follows the preference the game page's does.
TEST_F(AppFilesTest, HelpOpensTheHelpFileOrTheManualOrSaysWhatIsMissing) {
  const std::string page = here_ + "manual/index.html";
  HelpChoice help = ChooseHelp(here_, 1);
  EXPECT_EQ(help.kind, HelpKind::Missing);
  EXPECT_EQ(help.message, ManualMissingMessage(page));
  EXPECT_NE(help.message.find(page + " is missing"), std::string::npos);
  MakeDirectory("manual");
  MakeDirectory("manual/index.html");  // a folder in its place
  EXPECT_EQ(ChooseHelp(here_, 1).kind, HelpKind::Missing);
  std::filesystem::remove("manual/index.html");
  WriteAll("manual/index.html", "");
  EXPECT_EQ(ChooseHelp(here_, 1).kind, HelpKind::Missing);
  WriteAll("manual/index.html", "<html>");
  MakeDirectory("vorlane.chm");  // a folder named like the help file is not one
  help = ChooseHelp(here_, 1);
  EXPECT_EQ(help.kind, HelpKind::Manual);
  EXPECT_EQ(help.address, "file://" + page);
  EXPECT_EQ(ChooseHelp(here_.substr(0, here_.size() - 1), 0).address, page);
  std::filesystem::remove("vorlane.chm");
  WriteAll("vorlane.chm", "chm");
  help = ChooseHelp(here_, 1);
  EXPECT_EQ(help.kind, HelpKind::HelpFile);
  EXPECT_EQ(help.path, here_ + "vorlane.chm");
}

// The folder names are the project's; a change of either marks it modified.
// (That each field reaches its setting is the dialog's test.)
TEST_F(AppFilesTest, PreferencesFormStoresEverythingAndTheProjectsFolders) {
  Preferences prefs;
  Project project;
  project.imgfolder = "pics";
  project.audfolder = "sfx";
  PreferencesForm form = FormFromPreferences(prefs, project);
  ASSERT_TRUE(SavePreferencesForm(form, prefs, project, "prefs.dat"));
  EXPECT_EQ(project.modified, 0) << "the same folders";
  for (std::string* folder : {&form.values.AudFolder, &form.values.ImgFolder}) {
    project.modified = 0;
    *folder = "new";
    SavePreferencesForm(form, prefs, project, "prefs.dat");
    EXPECT_EQ(project.modified, 1);
  }
  EXPECT_EQ(project.imgfolder + "|" + project.audfolder, "new|new");
  Preferences reread;
  LoadPreferences(reread, "prefs.dat");
  EXPECT_EQ(reread, prefs);
}

// The name is the project's only once the project is saved under it.
TEST_F(AppFilesTest, ARefusedOrFailedSaveKeepsThePreviousName) {
  MakeDirectory("Projects");
  Project project;
  project.projectname = "first";
  FileReport report;
  EXPECT_FALSE(WriteProjectUnder(project, "", &report));
  EXPECT_FALSE(WriteProjectUnder(project, "bad/name", &report));
  MakeDirectory("Projects/blocked.xml");  // a folder in the way
  EXPECT_FALSE(WriteProjectUnder(project, "blocked", &report));
  EXPECT_EQ(project.projectname, "first");
  EXPECT_TRUE(WriteProjectUnder(project, "second", &report));
  EXPECT_EQ(project.projectname, "second");
  EXPECT_TRUE(IsRegularFile("Projects/second.xml"));
}

}  // namespace
}  // namespace vorlane
