// One QApplication for every widget test, on the offscreen platform unless
// another is asked for, and the fixture of the dialog tests.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "gui/ui/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace vorlane::test {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "vorlane_ui_tests";
  static char* argv[] = {name, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);  // lives until the process ends
  return *app;
}

// Runs the event loop until `done` holds; the bound only ends a broken wait.
inline bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 3000 && !done(); ++i) {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return done();
}

// A fresh program folder and scripted answers for every modal window; an
// answer left unused or a window without one fails the test.
class DialogTest : public InTempDir {
 protected:
  void TearDown() override { EXPECT_EQ(dialogs_.problems(), std::vector<std::string>{}); }
  QApplication& qt_app_ = QtApp();  // before any window
  ScriptedDialogs dialogs_;
};

}  // namespace vorlane::test
