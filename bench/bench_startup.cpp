// Times the start-up sequence up to an interactive main window (the
// one-second splash pause left out), in a fresh program folder with an
// engine template and a keyword list.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "gui/file_util.h"

using namespace vorlane;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void MakeProgramFolder(const std::filesystem::path& folder) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  std::string engine = "// engine\n//VORLANE_VERSION\n//VORLANE_SCENES\n";
  engine.append(400 * 1024, ' ');  // about the size of a real engine
  WriteFileAtomic("export.js", engine);
  std::string keywords;
  for (int i = 0; i < 600; ++i)
    keywords += "!function_" + std::to_string(i) + "\nhelp one\nhelp two\n";
  WriteFileAtomic("keywords.dat", keywords);
}

// Start-up until the window has been shown and painted once.
double StartOnce() {
  const auto start = Clock::now();
  Application vorlane;
  StartOptions options;
  options.splash_pause = false;
  vorlane.Start(options);
  vorlane.window()->repaint();
  QApplication::processEvents();
  const double ms = Ms(start);
  vorlane.window()->SetExitAction([] {});
  vorlane.window()->session().prefs.ConfirmExit = 0;
  vorlane.window()->close();
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  MakeProgramFolder(std::filesystem::temp_directory_path() / "vorlane-bench-startup");
  const auto app_start = Clock::now();
  QApplication app(argc, argv);
  const double toolkit = Ms(app_start);
  const double cold = StartOnce();
  double warm = 1e18;
  for (int i = 0; i < 5; ++i) warm = std::min(warm, StartOnce());
  std::printf("toolkit start (QApplication):       %8.1f ms\n", toolkit);
  std::printf("start-up to interactive, first run: %8.1f ms   (goal < 400 ms)\n", cold);
  std::printf("start-up to interactive, best warm: %8.1f ms\n", warm);
  std::printf("toolkit + first run:                %8.1f ms\n", toolkit + cold);
  return 0;
}
