#include "editors/ui/function_dialog.h"

#include <QLabel>
#include <QLineEdit>

#include "code/ui/code_editor.h"
#include "code/ui/code_window.h"
#include "code/ui/script_setup.h"
#include "code/ui/syntax_marker.h"
#include "editors/function_edits.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/ui/controls.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

FunctionDialog::FunctionDialog(QWidget* parent, Project& project, const Preferences& prefs,
                               const KeywordList& keywords, int index)
    : ResourceDialog(parent, project, ResourceKind::Function, index, "Function properties - ", 800,
                     600, 120) {
  const UserFunction& function = project.fns.at(index);
  PlaceCaption(new QLabel("Parameters", this), 140, 15, 60);
  params_ = MakeTextField(this, Q(function.params), 215, 10, 300, 25);
  editor_ = new CodeEditor(this, kShowLineNumbers);
  editor_->setGeometry(10, 45, 780, 510);
  // The same colours, word table and completion as every other code window.
  SetupScriptStyling(*editor_, prefs, project, keywords);
  editor_->SetEditorText(function.code, true);
  auto* error_line = new QLabel(this);
  error_line->setTextFormat(Qt::PlainText);
  error_line->setGeometry(85, 567, 630, 21);
  // The code is the body of a function taking these parameters.
  marker_ = new SyntaxMarker(editor_, error_line, [this] { return params_->text().toStdString(); });
  connect(params_, &QLineEdit::textChanged, marker_, &SyntaxMarker::Schedule);
}

std::vector<std::string> FunctionDialog::Done() {
  return StoreFunction(project_, index_,
                       {.name = name_text(),
                        .params = params_->text().toStdString(),
                        .code = editor_->GetEditorText()});
}

void EditFunction(QWidget* parent, Project& project, Preferences& prefs,
                  const KeywordList& keywords, const std::string& name, CodeSpot spot) {
  EditEveryNamed(project, ResourceKind::Function, name, [&](int index) {
    auto dialog = std::make_unique<FunctionDialog>(parent, project, prefs, keywords, index);
    dialog->editor()->ShowLine(spot);
    return dialog;
  });
}

}  // namespace vorlane
