// What one run of the program works on: the project, the user's settings,
// and the keyword list and engine template read at start-up.
#pragma once

#include <string>

#include "gui/preferences.h"
#include "code/keyword_list.h"
#include "project/model.h"

namespace vorlane {

struct Session {
  Project project;
  Preferences prefs;
  KeywordList keywords;
  std::string engine_template;
};

// Leaving asks first only when the preferences say so.
inline bool ExitNeedsConfirmation(const Preferences& prefs) { return prefs.ConfirmExit == 1; }

}  // namespace vorlane
