#include "code/ui/scene_code_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "code/ui/code_editor.h"
#include "code/ui/code_window.h"
#include "code/ui/script_setup.h"
#include "code/ui/syntax_marker.h"
#include "gui/ui/dialog_service.h"

namespace vorlane {

SceneCodeDialog::SceneCodeDialog(QWidget* parent, Scene& scene, Project& project,
                                 const Preferences& prefs, const KeywordList& keywords)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      scene_(scene),
      project_(project) {
  setWindowTitle("Scene code editor");
  setModal(true);
  CentreWindow(this, parent);
  setFixedSize(800, 600);

  cancel_ = new QPushButton("Cancel", this);
  cancel_->setGeometry(10, 565, 65, 25);
  ok_ = new QPushButton("OK", this);
  ok_->setGeometry(725, 565, 65, 25);
  for (QPushButton* button : {cancel_, ok_}) button->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  editor_ = new CodeEditor(this, kShowLineNumbers);
  editor_->setGeometry(10, 10, 780, 540);
  SetupScriptStyling(*editor_, prefs, project, keywords);
  auto* error_line = new QLabel(this);
  error_line->setTextFormat(Qt::PlainText);
  error_line->setGeometry(85, 567, 630, 21);
  marker_ = new SyntaxMarker(editor_, error_line);
  editor_->SetEditorText(scene.code, false);
  opening_text_ = editor_->GetEditorText();
  editor_->setFocus();
}

void SceneCodeDialog::reject() {
  if (MayDiscardCode(this, editor_->GetEditorText() != opening_text_)) QDialog::reject();
}

void SceneCodeDialog::accept() {
  scene_.code = editor_->GetEditorText();
  SetModified(project_, 1);
  QDialog::accept();
}

void SceneCodeDialog::keyPressEvent(QKeyEvent* event) {
  if (IsDialogShortcutKey(event)) return;
  QDialog::keyPressEvent(event);
}

bool EditSceneCode(QWidget* parent, Project& project, const Preferences& prefs,
                   const KeywordList& keywords, Scene& scene, CodeSpot spot) {
  SceneCodeDialog dialog(parent, scene, project, prefs, keywords);
  dialog.editor()->ShowLine(spot);
  return Dialogs().Exec(dialog) == QDialog::Accepted;
}

bool EditSceneCode(QWidget* parent, Project& project, const Preferences& prefs,
                   const KeywordList& keywords, int scene_index, CodeSpot spot) {
  if (scene_index < 0 || scene_index >= static_cast<int>(project.scenes.size())) return false;
  return EditSceneCode(parent, project, prefs, keywords,
                       project.scenes[static_cast<size_t>(scene_index)], spot);
}

}  // namespace vorlane
