#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "app/app_text.h"
#include "gui/file_util.h"
#include "gui/ui/card_grid.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using StartupTest = test::MainWindowFixture;

TEST_F(StartupTest, StepsRunInOrderAndLeaveTheProgramFolderReady) {
  test::WriteAll("keywords.dat", "!instance_create\nMakes an instance\nx, y, object\n");
  bool prefs_read_before_version_check = false;
  Start([&](MainWindow& window) {
    window.SetCommandHandler(Command::CheckVersionAtStartup, [&] {
      prefs_read_before_version_check = IsRegularFile("preferences.dat");
    });
  });
  EXPECT_EQ(app_.steps(),
            (std::vector<std::string>{"values", "keywords", "fonts and pictures", "splash",
                                      "engine template", "main window", "maximise", "new project",
                                      "version check", "project list", "title", "shortcuts"}));
  EXPECT_TRUE(prefs_read_before_version_check);
  const Session& session = app_.session();
  EXPECT_EQ(session.engine_template, "//VORLANE_VERSION\n//VORLANE_SCENES\n");
  ASSERT_EQ(session.keywords.size(), 1u + 82u);
  EXPECT_EQ(session.keywords.front().name, "instance_create");
  EXPECT_EQ(session.keywords.back().name, "vk_z");
  EXPECT_EQ(session.keywords.back().class_, "Cons");

  EXPECT_TRUE(IsRegularFile("preferences.dat"));
  EXPECT_TRUE(IsDirectory("Projects"));
  EXPECT_TRUE(IsDirectory("Extensions"));
  EXPECT_TRUE(IsDirectory(project().tempfolder));
  EXPECT_EQ(project().tempfolder.rfind("_temp_", 0), 0u);
  EXPECT_EQ(project().modified, 0);
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9");
  EXPECT_EQ(window().status(), "STATUS: READY.");
}

TEST_F(StartupTest, WithoutTemplateOrKeywordsTheProgramStillStarts) {
  DeleteFile("export.js");
  Start();
  EXPECT_EQ(app_.session().engine_template, "");
  EXPECT_EQ(app_.session().keywords.size(), 82u);
}

TEST_F(StartupTest, MenuBarToolbarAndTabs) {
  Start();
  QMenuBar* bar = window().menuBar();
  std::vector<std::string> menus;
  for (QAction* menu : bar->actions()) menus.push_back(menu->text().toStdString());
  EXPECT_EQ(menus, (std::vector<std::string>{"File", "Resources", "Help"}));
  QMenu* help = bar->actions()[2]->menu();
  std::vector<std::string> items;
  for (QAction* item : help->actions())
    items.push_back(item->isSeparator() ? "-" : item->text().toStdString());
  EXPECT_EQ(items,
            (std::vector<std::string>{"Help\tF1", "About", "-", "Check program version..."}));
  for (QAction* item : bar->actions()[0]->menu()->actions()) {
    if (item->isSeparator()) continue;
    EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();
  }

  // The shortcuts are registered on the window.
  QAction* save = nullptr;
  for (QAction* item : bar->actions()[0]->menu()->actions())
    if (item->text().startsWith("Save\t")) save = item;
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->shortcut(), QKeySequence("Ctrl+S"));

  std::vector<std::pair<int, std::string>> tools;
  for (auto* button : window().findChildren<QToolButton*>())
    if (!button->toolTip().isEmpty())
      tools.push_back({button->x(), button->toolTip().toStdString()});
  std::sort(tools.begin(), tools.end());
  ASSERT_EQ(tools.size(), 12u);
  EXPECT_EQ(tools[0], (std::pair<int, std::string>{10, "New game"}));
  EXPECT_EQ(tools[3], (std::pair<int, std::string>{100, "Run game"}));
  EXPECT_EQ(tools[11], (std::pair<int, std::string>{410, "Add a new function"}));

  QTabWidget* tabs = window().tabs();
  ASSERT_EQ(tabs->count(), 9);
  EXPECT_EQ(tabs->tabText(0), " Sprites ");
  EXPECT_EQ(tabs->tabText(8), " Game ");
  EXPECT_FALSE(tabs->tabIcon(0).isNull());
  EXPECT_TRUE(tabs->tabIcon(8).isNull());
}

TEST_F(StartupTest, RelayoutFollowsTheWindowSize) {
  Start();
  window().resize(1000, 700);
  window().RelayoutMainWindow();
  const QRect panel = window().tabs()->geometry();
  EXPECT_EQ(panel.x(), 5);
  EXPECT_EQ(panel.y(), 45);
  EXPECT_EQ(panel.width(), 990);
  EXPECT_EQ(panel.height(), 700 - window().menuBar()->sizeHint().height() - 50);
}

}  // namespace
}  // namespace vorlane
