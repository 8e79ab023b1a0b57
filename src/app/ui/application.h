// The program's start-up sequence, from the keyword list to the main window
// with a fresh project, ready for the event loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/session.h"

namespace vorlane {

class MainWindow;

struct StartOptions {
  // The one-second pause after the engine template is read; tests and
  // benchmarks skip it.
  bool splash_pause = true;
  // Tests keep the windows off screen.
  bool show_windows = true;
  // Called once the main window exists, before the first project is made:
  // where the other parts of the program register their windows.
  std::function<void(MainWindow&)> plug_in;
};

class Application {
 public:
  Application();
  ~Application();

  // Everything up to the event loop, in order.
  void Start(const StartOptions& options = {});

  Session& session() { return *session_; }
  MainWindow* window() { return window_.get(); }
  // The steps done so far, by name, in order.
  const std::vector<std::string>& steps() const { return steps_; }

 private:
  void Step(const std::string& name) { steps_.push_back(name); }

  std::unique_ptr<Session> session_;
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> steps_;
};

}  // namespace vorlane
