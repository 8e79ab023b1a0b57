// The version check as the user meets it: at start-up when the preferences
// ask for it, and from the Help menu.
#pragma once

#include <string>

#include "gui/preferences.h"
#include "app/version_check.h"

class QWidget;

namespace vorlane {

// Where the check asks; tests point it at a server of their own.
struct VersionServer {
  std::string host = kVersionHost;
  int port = kVersionPort;
  HttpTimeouts timeouts;
};

void CheckNewVersionAtStartup(QWidget* parent, const Preferences& prefs,
                              const VersionServer& server = {});
void CheckNewVersion(QWidget* parent, const VersionServer& server = {});

}  // namespace vorlane
