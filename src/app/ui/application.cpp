#include "app/ui/application.h"

#include <QEventLoop>
#include <QTimer>

#include "app/app_text.h"
#include "app/supplied_files.h"
#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"
#include "app/ui/stock_images.h"
#include "code/keyword_list.h"
#include "generate/game_page.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "project/leftovers.h"
#include "project/project_list.h"
#include "project/reserved_names.h"

namespace vorlane {
namespace {

// Waits while the window system keeps painting.
void Pause(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

Application::Application() : session_(std::make_unique<Session>()) {}

Application::~Application() = default;

void Application::Start(const StartOptions& options) {
  Session& session = *session_;
  // Checked before anything reads them or the preferences are written anew.
  const std::vector<std::string> supplied_problems = UnreadableSuppliedFiles();
  Step("values");  // the session's records start with the program's values

  session.keywords = LoadKeywordList();
  Step("keywords");

  LoadStockFonts();
  LoadStockImages();
  Step("fonts and pictures");

  {
    SplashWindow splash;
    if (options.show_windows) splash.ShowNow();
    Step("splash");
    session.engine_template = LoadEngineTemplate();
    LoadEngineNames(session.engine_template);
    Step("engine template");
    // The splash stays up through the pause rather than leaving a blank
    // second behind it.
    if (options.splash_pause) Pause(1000);
  }

  window_ = std::make_unique<MainWindow>(session);
  Step("main window");
  if (options.plug_in) options.plug_in(*window_);
  if (options.show_windows) window_->showMaximized();
  Step("maximise");

  // What killed runs left behind goes before this run makes its own files.
  // Working folders holding files are kept: they may hold the only copy of
  // media that was never saved.
  RemoveLeftovers();
  Step("leftovers");

  window_->StartFreshProject();
  window_->RefreshBrowser();
  Step("new project");

  window_->OfferRecovery();
  Step("recovery");

  window_->RunCommand(Command::CheckVersionAtStartup);
  Step("version check");

  // The list is read again whenever the open dialog appears; reading it now
  // finds an unreadable Projects folder early.
  RefreshProjectList();
  Step("project list");

  window_->UpdateTitle();
  Step("title");

  window_->EnableShortcuts();
  Step("shortcuts");

  // A supplied file that is there but could not be read is left out; the
  // user learns which and why instead of meeting its absence later.
  std::string problems;
  for (const std::string& problem : supplied_problems)
    problems += (problems.empty() ? "" : "\n") + problem;
  if (!problems.empty()) Dialogs().Message(window_.get(), "Warning", problems);
  Step("supplied files");
}

}  // namespace vorlane
