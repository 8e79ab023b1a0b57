#include "app/help_file.h"

#include "generate/run_game.h"
#include "gui/file_util.h"

namespace vorlane {

HelpChoice ChooseHelp(const std::string& working_directory, int add_file_protocol) {
  std::string folder = working_directory;
  if (folder.empty() || folder.back() != '/') folder += '/';
  HelpChoice choice;
  if (IsRegularFile(folder + kHelpFile)) {
    choice.kind = HelpKind::HelpFile;
    choice.path = folder + kHelpFile;
    return choice;
  }
  choice.path = folder + kManualStartPage;
  // An empty page would show the user a blank browser window.
  if (IsRegularFile(choice.path) && FileSize(choice.path) > 0) {
    choice.kind = HelpKind::Manual;
    choice.address = GamePageAddress(choice.path, add_file_protocol);
    return choice;
  }
  choice.kind = HelpKind::Missing;
  choice.message = ManualMissingMessage(choice.path);
  return choice;
}

std::string ManualMissingMessage(const std::string& path) {
  return "The manual could not be opened: its start page " + path +
         " is missing. The manual comes with Vorlane in the folder manual/ beside the "
         "program; copy it there again to read it.";
}

}  // namespace vorlane
