#include "app/ui/version_check_ui.h"

#include <QApplication>
#include <QEventLoop>
#include <QWidget>

#include "app/version_check.h"
#include "gui/ui/dialog_service.h"
#include "project/model.h"

namespace vorlane {
namespace {

// The window keeps painting while the check waits, but takes no input, so
// nothing can start while the check runs.
int Fetch(const VersionServer& server) {
  QApplication::setOverrideCursor(Qt::BusyCursor);
  const int newest = FetchNewestVersion(server.host, server.port, server.timeouts, [] {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  QApplication::restoreOverrideCursor();
  return newest;
}

void Tell(QWidget* parent, const std::string& text) {
  if (!text.empty()) Dialogs().Message(parent, "Version information", text);
}

}  // namespace

void CheckNewVersionAtStartup(QWidget* parent, const Preferences& prefs,
                              const VersionServer& server) {
  if (prefs.CheckProgramVersion != 1) return;
  Tell(parent, StartupVersionMessage(Fetch(server), kVersion));
}

void CheckNewVersion(QWidget* parent, const VersionServer& server) {
  Tell(parent, OnDemandVersionMessage(Fetch(server), kVersion));
}

}  // namespace vorlane
