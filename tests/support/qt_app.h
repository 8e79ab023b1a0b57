// One QApplication for every widget test, on the offscreen platform unless
// another is asked for.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <functional>

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

}  // namespace vorlane::test
