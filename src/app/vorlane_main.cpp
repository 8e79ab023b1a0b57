// Entry point of the desktop program. Everything works in the current
// directory: the program folder with Projects/, export.js and keywords.dat.
// An installed program first prepares the user's own program folder and
// works there (see gui/program_folder.h).
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstring>

#include "app/ui/application.h"
#include "app/ui/registered_dialogs.h"
#include "gui/program_folder.h"
#include "gui/ui/dialog_service.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Vorlane");
  std::string error;
  const std::string folder = vorlane::ChooseProgramFolder("/proc/self/exe", true, &error);
  if (folder.empty() || ::chdir(folder.c_str()) != 0) {
    vorlane::Dialogs().Message(
        nullptr, "Error", "Vorlane cannot prepare its program folder \"" + folder + "\". " + error);
    return 1;
  }
  // Leaving is the exit rule's decision (closing the window asks first).
  app.setQuitOnLastWindowClosed(false);
  vorlane::Application vorlane;
  vorlane::StartOptions options;
  options.plug_in = vorlane::RegisterDialogs;
  // A check that the program starts at all (the package test): up to the
  // main window, then out.
  const bool check_start = argc > 1 && std::strcmp(argv[1], "--check-start") == 0;
  if (check_start) options.splash_pause = false;
  vorlane.Start(options);
  if (check_start) return 0;
  return app.exec();
}
