#include "app/app_text.h"

namespace vorlane {

std::string VersionDigits(int version) {
  std::string digits = std::to_string(version < 0 ? -version : version);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return std::string{digits[0], '.', digits[1], '.', digits[2]};
}

std::string VersionText(int version) { return "v" + VersionDigits(version); }

std::string MainWindowTitle(int version, const std::string& projectname) {
  std::string title = "Vorlane " + VersionText(version);
  if (!projectname.empty()) title += " - " + projectname;
  return title;
}

std::string AboutTitle(int version) { return "Vorlane " + VersionText(version); }

std::string AboutVersionLine(int version) { return "version " + VersionDigits(version); }

}  // namespace vorlane
