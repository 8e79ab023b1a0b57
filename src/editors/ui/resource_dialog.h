// What every resource property dialog shares: the kind's title followed by
// the resource's name, centred on the screen, the name field at (10, 10),
// "Done" at the bottom right and "Delete" at the bottom left, and no way out
// but those two buttons. A kind adds its controls and what "Done" stores.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "project/model.h"
#include "project/resource_kind.h"

class QLineEdit;
class QPushButton;

namespace vorlane {

class ResourceDialog : public QDialog {
  Q_OBJECT

 public:
  QLineEdit* name_field() const { return name_field_; }
  QPushButton* done_button() const { return done_; }
  QPushButton* delete_button() const { return delete_; }
  bool deleted() const { return deleted_; }
  std::string name_text() const;

  // Escape and the window's close button do not end the dialog.
  void reject() override {}

 protected:
  // `title` is the kind's title text ("Object properties - "); the dialog
  // edits record `index` of its kind's list.
  ResourceDialog(QWidget* parent, Project& project, ResourceKind kind, int index,
                 const std::string& title, int width, int height, int name_width,
                 const QString& done_text = "Done");

  // What "Done" checks and stores: the messages to show, each in an "Error"
  // box; none closes the dialog.
  virtual std::vector<std::string> Done() = 0;

  Project& project_;
  const ResourceKind kind_;
  const int index_;

 private:
  void OnDone();
  void OnDelete();

  QLineEdit* name_field_;
  QPushButton* done_;
  QPushButton* delete_;
  bool deleted_ = false;
};

// Runs a dialog, made by `make` for a record's index, for every record of
// `kind` named `name` (normally one), as the browser's Edit does.
void EditEveryNamed(Project& project, ResourceKind kind, const std::string& name,
                    const std::function<std::unique_ptr<ResourceDialog>(int index)>& make);

}  // namespace vorlane
