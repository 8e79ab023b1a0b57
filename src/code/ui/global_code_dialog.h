// "Not listed custom functions" and "Global variables": the project-wide
// code texts, each in a resizable code window.
#pragma once

#include "code/ui/code_window.h"
#include "generate/script_place.h"

namespace vorlane {

class GlobalCodeDialog : public CodeWindow {
  Q_OBJECT

 public:
  // Edits `field` (Project.functions or Project.variables) of `project`.
  GlobalCodeDialog(QWidget* parent, const std::string& title, std::string& field, Project& project,
                   Preferences& prefs, const KeywordList& keywords);

  // Repeats the title above the editor.
  QLabel* heading() const { return heading_; }

  void accept() override;

 private:
  QLabel* heading_;
  std::string& field_;
  Project& project_;
};

// Each returns true when OK stored the text and marked the project modified
// (even when nothing changed). With `line` > 0 the window opens at that line.
bool EditGlobalFunctions(QWidget* parent, Project& project, Preferences& prefs,
                         const KeywordList& keywords, CodeSpot spot = {});
bool EditGlobalVariables(QWidget* parent, Project& project, Preferences& prefs,
                         const KeywordList& keywords, CodeSpot spot = {});

}  // namespace vorlane
