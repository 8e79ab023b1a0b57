// Debug game, the Output panel and the checks before a game is written: the
// main window's side of seeing why a game breaks.
#include <QDockWidget>

#include "app/app_text.h"
#include "app/ui/browser_starts.h"
#include "app/ui/main_window.h"
#include "app/ui/output_panel.h"
#include "app/ui/script_problems_dialog.h"
#include "generate/debug_server.h"
#include "generate/game_page.h"
#include "gui/file_util.h"
#include "gui/ui/dialog_service.h"
#include "project/editor_run.h"
#include "project/project_paths.h"

namespace vorlane {

void MainWindow::BuildOutputPanel() {
  browser_starts_ = new BrowserStarts(this);
  launcher_ = [this](const std::string& program, const std::string& argument) {
    return StartBrowser(program, argument);
  };
  connect(browser_starts_, &BrowserStarts::Failed, this,
          [this](const std::string& program, const std::string& first_line) {
            const std::string message = BrowserFailedMessage(program, first_line);
            SetStatus(message);
            Dialogs().Message(this, "Message", message);
          });

  output_ = new OutputPanel(this);
  addDockWidget(Qt::BottomDockWidgetArea, output_);
  output_->hide();
  connect(output_, &OutputPanel::OpenScript, this,
          [this](const ScriptPlace& place, int line) { OpenScriptAt(place, line); });
}

bool MainWindow::StartBrowser(const std::string& program, const std::string& argument) {
  // The browser's error output is kept in the working folder, which goes
  // with the session.
  const std::string folder = session_.project.tempfolder;
  const std::string errors = (folder.empty() ? std::string(".") : folder) + "/browser-errors.txt";
  return browser_starts_->Start(program, argument, errors);
}

bool MainWindow::ScriptsParse() {
  const Project& project = session_.project;
  const auto problems = CheckGameScripts(project, LoadExtensions(project.projectname));
  if (problems.empty()) return true;
  SetStatus(ProblemLine(problems.front()));
  ScriptProblemsDialog dialog(this, problems);
  Dialogs().Exec(dialog);
  if (dialog.chosen() >= 0) {
    const ScriptProblem& problem = problems[static_cast<size_t>(dialog.chosen())];
    OpenScriptAt(problem.place, problem.error.line);
  }
  return false;
}

void MainWindow::OpenScriptAt(const ScriptPlace& place, CodeSpot spot) {
  if (place.kind == ScriptKind::Extension) {
    Dialogs().Message(this, "Message",
                      "The code of the extension \"" + place.resource +
                          "\" is in its file in the Extensions folder.");
    return;
  }
  if (!script_opener_) return;
  RunEditor(
      session_.history, [&] { return "Edit code of " + PlaceLabel(place); },
      [&] { script_opener_(place, spot); });
  RefreshBrowser();
}

void MainWindow::DebugGame() {
  Project& project = session_.project;
  if (!ScriptsParse()) return;
  if (!debug_) {
    debug_ = std::make_unique<DebugServer>();
    connect(debug_.get(), &DebugServer::Reported, output_, &OutputPanel::Add);
    connect(debug_.get(), &DebugServer::InstancesShown, output_, &OutputPanel::ShowInstances);
    connect(debug_.get(), &DebugServer::PausedChanged, output_, &OutputPanel::SetPaused);
    connect(output_, &OutputPanel::PauseAsked, debug_.get(), &DebugServer::Pause);
    connect(output_, &OutputPanel::StepAsked, debug_.get(), &DebugServer::Step);
    connect(output_, &OutputPanel::ResumeAsked, debug_.get(), &DebugServer::Resume);
    connect(output_, &OutputPanel::InstancesShownChanged, debug_.get(),
            &DebugServer::WatchInstances);
  }
  std::string script;
  std::string error;
  if (!ReadFile(kDebugScriptFile, &script, 1 << 20, &error)) {
    Dialogs().Message(this, "Error",
                      "The debug script debug.js is missing from the program folder.");
    return;
  }
  // Saved and generated as Run game does; with the server running, the
  // generation writes the map from game.js lines to scripts too.
  if (!SaveProject()) return;
  if (!debug_->running() && !debug_->Start(PathsOf(project.projectname).folder, script, &error)) {
    Dialogs().Message(this, "Error", "The debug run could not start: " + error);
    return;
  }
  // A new server starts running and unwatched; the panel may show the
  // instances already.
  debug_->WatchInstances(output_->instances_shown());
  output_->SetPaused(debug_->paused());
  GenerateReport report;
  if (!WriteGameFiles(&report)) return;
  if (report.no_scene) Dialogs().Message(this, "Warning", kNoSceneWarning);
  output_->Clear();
  output_->show();
  const std::string address = debug_->PageAddress();
  std::string started;
  const Launcher launch = [&](const std::string& program, const std::string& argument) {
    if (!launcher_(program, argument)) return false;
    started = program;
    return true;
  };
  const bool opened = OpenInWebBrowser(address, PathList(), launch);
  SetStatus(RunGameStatus(report.written, address, started));
  if (!opened) Dialogs().Message(this, "Message", NoBrowserMessage(address));
}

void MainWindow::StopDebugRun() {
  if (debug_) debug_->Stop();
}

}  // namespace vorlane
