#include "app/preferences_form.h"

#include "gui/number_text.h"

namespace vorlane {

PreferencesForm FormFromPreferences(const Preferences& prefs, const Project& project) {
  PreferencesForm form{prefs, std::to_string(prefs.sci_font_size)};
  form.values.ImgFolder = project.imgfolder;
  form.values.AudFolder = project.audfolder;
  return form;
}

bool SavePreferencesForm(const PreferencesForm& form, Preferences& prefs, Project& project,
                         const std::string& path) {
  prefs = form.values;
  prefs.sci_font_size = LeadingInt(form.font_size);
  if (project.imgfolder != prefs.ImgFolder || project.audfolder != prefs.AudFolder) {
    // The next save writes the media into the new folders.
    project.imgfolder = prefs.ImgFolder;
    project.audfolder = prefs.AudFolder;
    SetModified(project, 1);
  }
  return SavePreferences(prefs, path);
}

}  // namespace vorlane
