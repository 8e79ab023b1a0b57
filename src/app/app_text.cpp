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

namespace {

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

std::string SavedStatus(const std::string& projectname, int files_written) {
  return "SAVED " + projectname + ": " + std::to_string(files_written) +
         (files_written == 1 ? " file written" : " files written");
}

std::string RunGameStatus(const std::vector<std::string>& written, const std::string& address,
                          const std::string& program) {
  std::string text;
  for (size_t i = 0; i < written.size(); ++i) text += (i ? ", " : "WROTE ") + BaseName(written[i]);
  if (!text.empty()) text += ".";
  if (address.empty()) return text;
  if (!text.empty()) text += " ";
  // The browser may end at once without a word, so the page is named.
  if (program.empty()) return text + "NO WEB BROWSER COULD BE STARTED.";
  return text + "OPENING " + address + " WITH " + BaseName(program) + ".";
}

}  // namespace vorlane
