// New, Open, Save, Save as and Run game: the questions and dialogs around the
// project's lifecycle steps, and what the status line says meanwhile.
#include <QTabWidget>

#include "app/app_text.h"
#include "app/project_save.h"
#include "app/ui/main_window.h"
#include "app/ui/open_project_dialog.h"
#include "app/ui/project_name_dialog.h"
#include "generate/debug_server.h"
#include "generate/game_export.h"
#include "generate/game_page.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/progress_window.h"
#include "project/lifecycle.h"
#include "project/recovery.h"

namespace vorlane {
void MainWindow::StartFreshProject() {
  StopDebugRun();
  // The working folder goes, recovery file and all, once no write is busy.
  autosaver_.Remove(session_.project.tempfolder);
  // The cards go first: they show pictures of the project about to go.
  items_.Clear();
  for (CardGrid* cards : grids_) cards->Clear();
  StartNewProject(session_.project, session_.prefs);
  session_.history.Reset();
  tabs_->setCurrentIndex(0);
}

void MainWindow::NewProject() {
  if (session_.project.modified == 1 && !Dialogs().AskYesNo(this, "Confirm", kUnsavedNewQuestion))
    return;
  StartFreshProject();
  RefreshBrowser();
}

void MainWindow::OpenProject() {
  if (session_.project.modified == 1 && !Dialogs().AskYesNo(this, "Confirm", kUnsavedOpenQuestion))
    return;
  const std::string name = ShowOpenDialog(this);
  if (name.empty()) return;

  SetStatus(kStatusOpening);
  // An opened project replaces the working folder and its recovery file.
  autosaver_.Wait();
  FileReport report;
  // The project is replaced only by a complete read; a refused or damaged
  // file leaves the current one as it was, unsaved changes included.
  const bool opened = OpenProjectNamed(session_.project, session_.prefs, name, &report);
  SetStatus(kStatusReady);
  if (!opened) {
    Dialogs().Message(
        this, "Error",
        report.error.empty() ? "The project \"" + name + "\" could not be opened." : report.error);
    return;
  }
  StopDebugRun();
  session_.history.Reset();
  items_.Clear();
  tabs_->setCurrentIndex(0);
  RefreshBrowser();
  if (const std::string warning = WarningText(report); !warning.empty())
    Dialogs().Message(this, "Warning", warning);
  if (!session_.project.settings.comments.empty()) RunCommand(Command::ShowGameComments);
}

bool MainWindow::WriteAndReport(const std::string& name) {
  if (name.empty()) return false;  // cancelled: the project keeps its name
  FileReport report;
  const bool saved = WriteProjectUnder(session_.project, name, &report);
  UpdateTitle();
  saved_files_ = report.files_written;
  if (saved) {
    session_.history.MarkSaved();
    autosaver_.Remove(session_.project.tempfolder);
  }
  if (!saved) {
    // The project stays marked modified, so nothing is lost by a later New.
    Dialogs().Message(this, "Error",
                      report.error.empty() ? "The project could not be saved." : report.error);
    return false;
  }
  if (const std::string warning = WarningText(report); !warning.empty())
    Dialogs().Message(this, "Warning", warning);
  return true;
}

bool MainWindow::SaveProject() {
  const std::string& name = session_.project.projectname;
  return WriteAndReport(name.empty() ? AskProjectName(this, name) : name);
}

bool MainWindow::SaveProjectAs() {
  const std::string before = session_.project.projectname;
  if (!WriteAndReport(AskProjectName(this, before))) return false;
  // A debug run serves the folder of the name it started with.
  if (session_.project.projectname != before) StopDebugRun();
  return true;
}

bool MainWindow::WriteGameFiles(GenerateReport* report) {
  const Project& project = session_.project;
  // While a debug run is open its page follows every save, map and all.
  const bool debugging = debug_server() && debug_server()->running();
  const bool written = vorlane::GenerateGame(project, session_.engine_template,
                                             session_.prefs.GenerateIndexHTML, report, debugging);
  if (written && debugging) debug_server()->Reload();
  if (project.projectname.empty()) return false;
  if (!written) {
    Dialogs().Message(
        this, "Error",
        report->error.empty() ? "The game files could not be written." : report->error);
    return false;
  }
  return true;
}

bool MainWindow::GenerateGame() {
  GenerateReport report;
  if (!WriteGameFiles(&report)) return false;
  SetStatus(SavedStatus(session_.project.projectname,
                        saved_files_ + static_cast<int>(report.written.size())));
  if (report.no_scene) Dialogs().Message(this, "Warning", kNoSceneWarning);
  return true;
}

void MainWindow::RunGame() {
  const Project& project = session_.project;
  if (project.projectname.empty()) {
    Dialogs().Message(this, "Message", kPleaseSaveMessage);
    return;
  }
  if (!ScriptsParse()) return;
  // A game that could not be saved or generated would run stale files.
  GenerateReport report;
  if (!SaveProject() || !WriteGameFiles(&report)) return;
  if (report.no_scene) Dialogs().Message(this, "Warning", kNoSceneWarning);
  const std::string page = GamePagePath(WorkingDirectory(), project.projectname);
  const std::string address = GamePageAddress(page, session_.prefs.add_file_protocol);
  if (!GamePageReady(page)) {
    SetStatus(RunGameStatus(report.written, "", ""));
    Dialogs().Message(this, "Message", kPageMissingMessage);
    return;
  }
  const std::string path_list = PathList();
  std::string started;
  const Launcher launch = [&](const std::string& program, const std::string& argument) {
    if (!launcher_(program, argument)) return false;
    started = program;
    return true;
  };
  const bool opened = OpenInWebBrowser(address, path_list, launch);
  SetStatus(RunGameStatus(report.written, address, started));
  if (!opened) Dialogs().Message(this, "Message", NoBrowserMessage(address));
}

void MainWindow::ExportGame() {
  if (!ScriptsParse()) return;
  // The zip holds what Save writes, so the project is saved first, asking
  // for a name when it has none.
  GenerateReport report;
  if (!SaveProject() || !WriteGameFiles(&report)) return;
  if (report.no_scene) Dialogs().Message(this, "Warning", kNoSceneWarning);
  FileRequest request;
  request.title = kExportTitle;
  request.filter = kExportFilter;
  request.file = ExportFileName(session_.project.projectname);
  const std::string path = ExportZipPath(Dialogs().SaveFile(this, request));
  if (path.empty()) return;
  // The export runs on a worker thread, on its own copy of the project;
  // cancelling it leaves an older zip as it was.
  const Project project = session_.project;
  ExportReport exported;
  ProgressWindow window(this, kExportTitle, ExportingText(path),
                        [&](const ProgressWindow::GoOn& go_on) {
                          vorlane::ExportGame(project, path, &exported, go_on);
                        });
  if (Dialogs().Exec(window) != QDialog::Accepted) {
    SetStatus(kExportCancelledStatus);
    return;
  }
  if (!exported.error.empty()) {
    Dialogs().Message(this, "Error", exported.error);
    return;
  }
  SetStatus(ExportedStatus(path, exported.files.size()));
}

void MainWindow::Autosave() {
  if (session_.project.modified == 1) autosaver_.Save(session_.project);
}

void MainWindow::OfferRecovery() {
  for (const FoundRecovery& found : FindRecoveries()) {
    // Refused like a project saved by a newer program, once: the file is
    // kept aside for that program.
    if (found.version > kVersion) {
      Dialogs().Message(this, "Error", NewerRecoveryMessage(found, KeepRecoveryAside(found)));
      continue;
    }
    if (!Dialogs().AskYesNo(this, "Confirm", RestoreQuestion(found))) {
      DiscardRecovery(found);
      continue;
    }
    autosaver_.Remove(session_.project.tempfolder);
    FileReport report;
    if (!RestoreRecovery(session_.project, found, &report)) {
      Dialogs().Message(this, "Error", report.error);
      continue;
    }
    session_.history.Reset();  // restored as modified: nothing to undo, all to save
    items_.Clear();
    UpdateTitle();
    RefreshBrowser();
    if (const std::string warning = WarningText(report); !warning.empty())
      Dialogs().Message(this, "Warning", warning);
    return;
  }
}

}  // namespace vorlane
