#include "app/preferences_form.h"

#include "gui/number_text.h"

namespace vorlane {
PreferencesForm FormFromPreferences(const Preferences& prefs) {
  return {prefs, std::to_string(prefs.sci_font_size)};
}

bool SavePreferencesForm(const PreferencesForm& form, Preferences& prefs, Project& project,
                         const std::string& path) {
  prefs = form.values;
  prefs.sci_font_size = LeadingInt(form.font_size);
  project.imgfolder = prefs.ImgFolder;
  project.audfolder = prefs.AudFolder;
  return SavePreferences(prefs, path);
}

}  // namespace vorlane
