// Entry point of the desktop program. Everything works in the current
// directory: the program folder with Projects/, export.js and keywords.dat.
#include <QApplication>

#include "app/ui/application.h"
#include "app/ui/registered_dialogs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Vorlane");
  // Leaving is the exit rule's decision (closing the window asks first).
  app.setQuitOnLastWindowClosed(false);
  vorlane::Application vorlane;
  vorlane::StartOptions options;
  options.plug_in = vorlane::RegisterDialogs;
  vorlane.Start(options);
  return app.exec();
}
