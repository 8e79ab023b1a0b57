// Shared set-up of the main window tests and the soak: the application
// object in a fresh program folder, scripted dialogs, and helpers that drive
// our own windows as a user does.
#pragma once

#include <sys/stat.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "app/browser_model.h"
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "generate/run_game.h"
#include "gui/file_util.h"
#include "gui/ui/controls.h"
#include "gui/ui/scripted_dialogs.h"
#include "support/qt_app.h"
#include "support/temp_dir.h"

namespace vorlane::test {

// Answers the name dialog with `name` and OK.
inline std::function<void(QDialog&)> TypeName(const std::string& name) {
  return [name](QDialog& dialog) {
    dialog.findChild<QLineEdit*>()->setText(QString::fromStdString(name));
    ClickButton(dialog, "OK");
  };
}

// Picks `name` in the open dialog and presses Open.
inline std::function<void(QDialog&)> PickProject(const std::string& name) {
  return [name](QDialog& dialog) {
    auto* list = dialog.findChild<QListWidget*>();
    const auto found = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
    if (!found.empty()) list->setCurrentItem(found.front());
    ClickButton(dialog, "Open");
  };
}

// The main window, started as the program starts it, with its launcher,
// browser search path and exit replaced by the test's.
class MainWindowFixture : public DialogTest {
 protected:
  void SetUp() override {
    // A template with the markers the page needs; its content is not ours.
    WriteAll("export.js", "//VORLANE_VERSION\n//VORLANE_SCENES\n");
  }

  MainWindow& Start(std::function<void(MainWindow&)> plug_in = {}) {
    StartOptions options;
    options.splash_pause = false;
    options.show_windows = false;
    options.plug_in = std::move(plug_in);
    app_.Start(options);
    MainWindow& window = *app_.window();
    window.SetExitAction([this] { ++exits_; });
    window.SetLauncher([this](const std::string& program, const std::string& argument) {
      launched_.push_back(program + " " + argument);
      return true;
    });
    window.SetPathList("");
    return window;
  }

  // A web browser the window finds on its search path; returns its path.
  std::string InstallBrowser() {
    MakeDirectory("bin");
    WriteAll("bin/x-www-browser", "#!/bin/sh\n");
    ::chmod("bin/x-www-browser", 0755);
    window().SetPathList(WorkingDirectory() + "bin");
    return WorkingDirectory() + "bin/x-www-browser";
  }

  // The control of the card showing `name` in the tab of `kind`, -1 if none.
  int CardOf(ResourceKind kind, const std::string& name) {
    for (const auto& item : window().browser_items().items())
      if (item.kind == InfoOf(kind).tab && item.name == name) return item.control;
    return -1;
  }

  // Right-clicks the card and chooses `text` in its popup.
  void Choose(ResourceKind kind, const std::string& name, const QString& text) {
    window().OnBrowserRightClick(CardOf(kind, name), QPoint(100, 100));
    QMenu* menu = window().popup_menu(PopupOf(kind));
    ASSERT_TRUE(menu->isVisible()) << name;
    menu->hide();
    for (QAction* action : menu->actions())
      if (action->text() == text) return action->trigger();
    FAIL() << "no popup item " << text.toStdString();
  }

  Project& project() { return app_.session().project; }
  Preferences& prefs() { return app_.session().prefs; }
  EditStack& history() { return app_.session().history; }
  MainWindow& window() { return *app_.window(); }

  Application app_;
  int exits_ = 0;
  std::vector<std::string> launched_;
};

}  // namespace vorlane::test
