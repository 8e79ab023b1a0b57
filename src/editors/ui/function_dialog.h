// The property dialog of a function: its name, its parameters and its code
// in the program's script editor, a syntax error named between its buttons.
#pragma once

#include <QWidget>

#include "code/keyword_list.h"
#include "editors/ui/resource_dialog.h"
#include "gui/preferences.h"

namespace vorlane {

class CodeEditor;
class SyntaxMarker;

class FunctionDialog : public ResourceDialog {
  Q_OBJECT

 public:
  FunctionDialog(QWidget* parent, Project& project, const Preferences& prefs,
                 const KeywordList& keywords, int index);

  QLineEdit* params_field() const { return params_; }
  CodeEditor* editor() const { return editor_; }
  SyntaxMarker* syntax_marker() const { return marker_; }

 protected:
  std::vector<std::string> Done() override;

 private:
  QLineEdit* params_;
  CodeEditor* editor_;
  SyntaxMarker* marker_;
};

}  // namespace vorlane
