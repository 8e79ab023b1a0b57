// What the Preferences window decides when Save is pressed, kept apart from
// the window so tests can call it.
#pragma once

#include <string>

#include "gui/preferences.h"
#include "project/model.h"

namespace vorlane {

// The settings as the window shows them; the font size is still text.
struct PreferencesForm {
  Preferences values;
  std::string font_size;
};

// The folder names are the open project's: they are one setting, and the
// preferences' copy is only what a new project starts with.
PreferencesForm FormFromPreferences(const Preferences& prefs, const Project& project);

// Takes the form into the record (the font size as the leading number of its
// text, 0 when it is none; folder names as typed), gives the project the
// same folder names, marking it modified when they differ, and writes the
// file. False when the file could not be written (the record is updated all
// the same).
bool SavePreferencesForm(const PreferencesForm& form, Preferences& prefs, Project& project,
                         const std::string& path = kPreferencesFile);

}  // namespace vorlane
