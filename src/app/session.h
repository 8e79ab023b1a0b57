// What one run of the program works on: the project and its undo history,
// the user's settings, and the keyword list and engine template read at
// start-up.
#pragma once

#include <string>

#include "code/keyword_list.h"
#include "gui/preferences.h"
#include "project/edit_stack.h"
#include "project/model.h"

namespace vorlane {

struct Session {
  Project project;
  // Every window's steps, kept until New or Open.
  EditStack history{project};
  Preferences prefs;
  KeywordList keywords;
  std::string engine_template;
};

// What leaving asks. Unsaved changes are always asked about (save, discard
// or stay), whatever the preference; it decides only the plain question.
enum class ExitQuestion { None, Plain, SaveChanges };

inline ExitQuestion ExitQuestionFor(const Project& project, const Preferences& prefs) {
  if (project.modified == 1) return ExitQuestion::SaveChanges;
  return prefs.ConfirmExit == 1 ? ExitQuestion::Plain : ExitQuestion::None;
}

}  // namespace vorlane
