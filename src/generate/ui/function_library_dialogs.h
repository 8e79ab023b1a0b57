// The Functions tab's Export... and Import... commands: sharing user
// functions between projects through library files.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "project/model.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;

namespace vorlane {

// "Select functions to export": a ticked box per function, an author and a
// description; Export asks for the file and writes the library.
class ExportFunctionsDialog : public QDialog {
  Q_OBJECT
 public:
  ExportFunctionsDialog(QWidget* parent, const Project& project);

  std::vector<bool> Ticked() const;
  const std::vector<QCheckBox*>& boxes() const { return boxes_; }
  QLineEdit* author() const { return author_; }
  QPlainTextEdit* description() const { return description_; }
  QScrollArea* list() const { return list_; }

 public slots:
  // Only Export and Cancel end the window.
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Export();

  const Project& project_;
  std::vector<QCheckBox*> boxes_;
  QScrollArea* list_ = nullptr;
  QLineEdit* author_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
};

void ExportFunctions(QWidget* parent, const Project& project);

// Asks for a library file and appends its functions to the project under
// names no other function has. True when something was imported (the
// caller rebuilds the browser).
bool ImportFunctions(QWidget* parent, Project& project);

}  // namespace vorlane
