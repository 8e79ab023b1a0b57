// One QApplication for every widget test, on the offscreen platform unless
// another is asked for.
#pragma once

#include <QApplication>

namespace vorlane::test {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "vorlane_ui_tests";
  static char* argv[] = {name, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);  // lives until the process ends
  return *app;
}

}  // namespace vorlane::test
