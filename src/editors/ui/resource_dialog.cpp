#include "editors/ui/resource_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"
#include "project/rename.h"

namespace vorlane {

ResourceDialog::ResourceDialog(QWidget* parent, Project& project, ResourceKind kind, int index,
                               const std::string& title, int width, int height, int name_width,
                               const QString& done_text)
    : QDialog(parent), project_(project), kind_(kind), index_(index) {
  setWindowTitle(Q(title + ResourceName(project, kind, index)));
  setFixedSize(width, height);
  CentreOnScreen(this, parent);
  name_field_ = MakeTextField(this, Q(ResourceName(project, kind, index)), 10, 10, name_width, 25);
  done_ = MakeButton(this, done_text, width - 75, height - 35, 65, 25);
  delete_ = MakeButton(this, "Delete", 10, height - 35, 65, 25);
  connect(done_, &QPushButton::clicked, this, &ResourceDialog::OnDone);
  connect(delete_, &QPushButton::clicked, this, &ResourceDialog::OnDelete);
}

std::string ResourceDialog::name_text() const { return name_field_->text().toStdString(); }

void ResourceDialog::OnDone() {
  const std::vector<std::string> errors = Done();
  for (const std::string& error : errors) Dialogs().Message(this, "Error", error);
  if (errors.empty()) done(Accepted);
}

void ResourceDialog::OnDelete() {
  if (!Dialogs().AskYesNo(this, "Confirm", DeleteQuestion(kind_))) return;
  const std::string name = ResourceName(project_, kind_, index_);
  DeleteResource(project_, kind_, name);
  SetModified(project_, 1);
  deleted_ = true;
  done(Accepted);
}

void EditEveryNamed(Project& project, ResourceKind kind, const std::string& name,
                    const std::function<std::unique_ptr<ResourceDialog>(int index)>& make) {
  // A deleted record takes its place in the list away; the next one moves up.
  for (int i = 0; i < ResourceCount(project, kind); ++i) {
    if (ResourceName(project, kind, i) != name) continue;
    const std::unique_ptr<ResourceDialog> dialog = make(i);
    Dialogs().Exec(*dialog);
    if (dialog->deleted()) --i;
  }
}

}  // namespace vorlane
