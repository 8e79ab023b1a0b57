// "Enter the project name": the name a project is saved under.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlane {

class ProjectNameDialog : public QDialog {
  Q_OBJECT
 public:
  ProjectNameDialog(QWidget* parent, const std::string& current_name);

  // The text as typed: no trimming, no character check (the save itself
  // refuses a name that cannot be a file name).
  std::string name() const;
  QLineEdit* field() const { return field_; }
  QLabel* label() const { return label_; }

  // Only the two buttons close the window.
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label_;
  QLineEdit* field_;
};

// Runs the dialog: OK gives the field's text, Cancel "" (the caller keeps the
// project's previous name).
std::string AskProjectName(QWidget* parent, const std::string& current_name);

}  // namespace vorlane
