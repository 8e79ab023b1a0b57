#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

#include "app/app_text.h"
#include "gui/file_util.h"
#include "gui/ui/card_grid.h"
#include "project/leftovers.h"
#include "project/reserved_names.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using StartupTest = test::MainWindowFixture;

TEST_F(StartupTest, StepsRunInOrderAndLeaveTheProgramFolderReady) {
  test::WriteAll("keywords.dat", "!instance_create\nMakes an instance\nx, y, object\n");
  // What a killed run left: a half-written frame and two working folders.
  ProcessStamp killed = ThisProcess();
  killed.pid = ::fork();
  if (killed.pid == 0) ::_exit(0);
  ::waitpid(static_cast<pid_t>(killed.pid), nullptr, 0);
  const std::string partial =
      "Projects/demo/img/.vorlane-save-" + std::to_string(killed.pid) + "-0";
  MakeDirectory("Projects");
  MakeDirectory("Projects/demo");
  MakeDirectory("Projects/demo/img");
  test::WriteAll(partial, "half a frame");
  for (const char* folder : {"_temp_101010", "_temp_111111"}) {
    MakeDirectory(folder);
    test::WriteAll(OwnerMarkerPath(folder), OwnerMarkerText(killed));
  }
  test::WriteAll("_temp_111111/jump.wav", "never saved");
  bool prefs_read_before_version_check = false;
  Start([&](MainWindow& window) {
    window.SetCommandHandler(Command::CheckVersionAtStartup, [&] {
      prefs_read_before_version_check = IsRegularFile("preferences.dat");
    });
  });
  EXPECT_EQ(app_.steps(),
            (std::vector<std::string>{"values", "keywords", "fonts and pictures", "splash",
                                      "engine template", "main window", "maximise", "leftovers",
                                      "new project", "recovery", "version check", "project list",
                                      "title", "shortcuts", "supplied files"}));
  EXPECT_TRUE(prefs_read_before_version_check);
  const Session& session = app_.session();
  EXPECT_EQ(session.engine_template, "//VORLANE_VERSION\n//VORLANE_SCENES\n");
  ASSERT_GT(session.keywords.size(), 1u);  // the file's, then the built-in constants
  EXPECT_EQ(session.keywords.front().name, "instance_create");
  EXPECT_TRUE(IsEngineName("instance_create"));  // no resource may take it
  EXPECT_TRUE(IsDirectory(project().tempfolder));
  EXPECT_FALSE(FileExists(partial));
  EXPECT_FALSE(FileExists("_temp_101010"));
  EXPECT_EQ(LeftoverWorkingFolders(), std::vector<std::string>{"_temp_111111"});
  EXPECT_EQ(project().modified, 0);
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9");
  EXPECT_EQ(window().status(), "STATUS: READY.");
}

TEST_F(StartupTest, WithoutTemplateOrKeywordsTheProgramStillStarts) {
  DeleteFile("export.js");  // missing: nothing to say
  DeleteFile("keywords.dat");
  ASSERT_EQ(::mkfifo("keywords.dat", 0600), 0);  // never waited on
  test::WriteAll("preferences.dat", "");
  ASSERT_EQ(::truncate("preferences.dat", 2 * kMaxSettingsFileBytes), 0);  // sparse: no disk
  Start();
  EXPECT_EQ(app_.session().engine_template, "");
  EXPECT_FALSE(app_.session().keywords.empty());
  EXPECT_EQ(dialogs_.Boxes(),
            std::vector<std::string>{
                "Warning: \"keywords.dat\" was not read: it is not a regular file.\n"
                "\"preferences.dat\" was not read: it is larger than 1 MB, more than such a file "
                "may hold."});
}

// The window is built from the command tables; their rows are not repeated here.
TEST_F(StartupTest, MenuBarToolbarAndTabs) {
  Start();
  QMenuBar* bar = window().menuBar();
  std::vector<std::string> menus;
  for (QAction* menu : bar->actions()) menus.push_back(menu->text().toStdString());
  EXPECT_EQ(menus, (std::vector<std::string>{"File", "Resources", "Help"}));
  QAction* save = nullptr;
  for (QAction* item : bar->actions()[0]->menu()->actions()) {
    if (item->isSeparator()) continue;
    EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();
    if (item->text().startsWith("Save\t")) save = item;
  }
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->shortcut(), QKeySequence("Ctrl+S"));  // registered on the window

  int tools = 0;
  for (auto* button : window().findChildren<QToolButton*>()) tools += !button->toolTip().isEmpty();
  EXPECT_EQ(tools, 12);
  QTabWidget* tabs = window().tabs();
  ASSERT_EQ(tabs->count(), 9);
  EXPECT_EQ(tabs->tabText(8), " Game ");
  EXPECT_FALSE(tabs->tabIcon(0).isNull());
  EXPECT_TRUE(tabs->tabIcon(8).isNull());
}

}  // namespace
}  // namespace vorlane
