#include "code/ui/global_code_dialog.h"

#include <QLabel>

#include "code/ui/code_editor.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

GlobalCodeDialog::GlobalCodeDialog(QWidget* parent, const std::string& title, std::string& field,
                                   Project& project, Preferences& prefs,
                                   const KeywordList& keywords)
    : CodeWindow(parent, title, prefs, project, keywords, /*keep_on_not_applicable=*/false),
      field_(field),
      project_(project) {
  heading_ = new QLabel(Q(title), this);
  heading_->setFont(DialogBoldFont());
  PlaceCaption(heading_, 10, 15, 200);
  editor()->SetEditorText(field_, false);
  KeepOpeningText();
}

void GlobalCodeDialog::accept() {
  field_ = editor()->GetEditorText();
  SetModified(project_, 1);
  CodeWindow::accept();
}

namespace {

bool RunGlobalCode(QWidget* parent, const char* title, std::string& field, Project& project,
                   Preferences& prefs, const KeywordList& keywords, CodeSpot spot) {
  GlobalCodeDialog dialog(parent, title, field, project, prefs, keywords);
  dialog.editor()->ShowLine(spot);
  return Dialogs().Exec(dialog) == QDialog::Accepted;
}

}  // namespace

bool EditGlobalFunctions(QWidget* parent, Project& project, Preferences& prefs,
                         const KeywordList& keywords, CodeSpot spot) {
  return RunGlobalCode(parent, "Not listed custom functions", project.settings.functions, project,
                       prefs, keywords, spot);
}

bool EditGlobalVariables(QWidget* parent, Project& project, Preferences& prefs,
                         const KeywordList& keywords, CodeSpot spot) {
  return RunGlobalCode(parent, "Global variables", project.settings.variables, project, prefs,
                       keywords, spot);
}

}  // namespace vorlane
