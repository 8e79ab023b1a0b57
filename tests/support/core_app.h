// The application object the core's Qt parts (the script check's parser,
// the debug server) need, for tests without windows.
#pragma once

#include <QCoreApplication>

namespace vorlane::test {

inline QCoreApplication& CoreApp() {
  if (QCoreApplication* app = QCoreApplication::instance()) return *app;
  static int argc = 1;
  static char name[] = "vorlane-tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

}  // namespace vorlane::test
