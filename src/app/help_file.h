// What Help (F1) opens: the help file vorlane.chm when the program folder
// has one, else the manual's start page in the web browser, else nothing
// and a message naming the missing page.
#pragma once

#include <string>

namespace vorlane {

inline constexpr char kHelpFile[] = "vorlane.chm";
inline constexpr char kManualStartPage[] = "manual/index.html";

enum class HelpKind {
  HelpFile,  // opened by the desktop, as any document
  Manual,    // opened in the web browser, like the game page
  Missing,   // nothing to open: the user is told
};

struct HelpChoice {
  HelpKind kind = HelpKind::Missing;
  std::string path;     // the file opened, or for Missing the start page looked for
  std::string address;  // Manual: what the browser is given
  std::string message;  // Missing: the "Message" box text
};

// Decides from the files in `working_directory` (an absolute path; a "/" is
// added when it lacks one). `add_file_protocol` is the preference that
// also decides the game page's address.
HelpChoice ChooseHelp(const std::string& working_directory, int add_file_protocol);

// The "Message" box text when the manual's start page at `path` is missing.
std::string ManualMissingMessage(const std::string& path);

}  // namespace vorlane
