#include "app/ui/project_name_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

ProjectNameDialog::ProjectNameDialog(QWidget* parent, const std::string& current_name)
    : QDialog(parent) {
  setWindowTitle("Enter the project name");
  setFixedSize(400, 100);
  // The caption takes what its text needs from the line; the field the rest.
  label_ = MakeLabel(this, "Project name:", 10, 10, 0, 25);
  label_->resize(label_->sizeHint().width(), 25);
  const int field_x = 10 + label_->width() + 8;
  field_ = MakeTextField(this, Q(current_name), field_x, 10, 390 - field_x, 25);
  label_->setBuddy(field_);
  field_->selectAll();
  QPushButton* cancel = MakeButton(this, "Cancel", 10, 65, 100, 25);
  QPushButton* ok = MakeButton(this, "OK", 290, 65, 100, 25);
  ok->setDefault(true);
  connect(cancel, &QPushButton::clicked, this, [this] { done(Rejected); });
  connect(ok, &QPushButton::clicked, this, [this] { done(Accepted); });
  connect(field_, &QLineEdit::returnPressed, ok, &QPushButton::click);
}

std::string ProjectNameDialog::name() const { return field_->text().toStdString(); }

void ProjectNameDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

std::string AskProjectName(QWidget* parent, const std::string& current_name) {
  ProjectNameDialog dialog(parent, current_name);
  return Dialogs().Exec(dialog) == QDialog::Accepted ? dialog.name() : "";
}

}  // namespace vorlane
