#include "app/preferences_form.h"

#include <algorithm>
#include <climits>

namespace vorlane {
namespace {

int LeadingInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
  return static_cast<int>(std::clamp<long long>(negative ? -value : value, INT_MIN, INT_MAX));
}

}  // namespace

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
