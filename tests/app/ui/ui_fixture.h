// Shared set-up of the main window tests: the application object, a fresh
// program folder, scripted dialogs, and helpers that drive our own windows.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/application.h"
#include "app/ui/main_window.h"
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

// Presses `button`.
inline std::function<void(QDialog&)> Press(const QString& button) {
  return [button](QDialog& dialog) { ClickButton(dialog, button); };
}

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

  Project& project() { return app_.session().project; }
  Preferences& prefs() { return app_.session().prefs; }
  MainWindow& window() { return *app_.window(); }

  Application app_;
  int exits_ = 0;
  std::vector<std::string> launched_;
};

}  // namespace vorlane::test
