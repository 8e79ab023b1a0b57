// The "Installed extensions" window: the extensions in the Extensions
// folder, which of them the project uses, and what each one is.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "generate/extensions.h"

class QPlainTextEdit;
class QTreeWidget;

namespace vorlane {

class ExtensionsDialog : public QDialog {
  Q_OBJECT
 public:
  ExtensionsDialog(QWidget* parent, std::vector<Extension> extensions);

  // The filenames of the ticked rows, top to bottom.
  std::vector<std::string> Chosen() const;
  QTreeWidget* list() const { return list_; }
  QPlainTextEdit* info() const { return info_; }

 public slots:
  // Only OK and Cancel end the window.
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowInfo();

  std::vector<Extension> extensions_;
  QTreeWidget* list_ = nullptr;
  QPlainTextEdit* info_ = nullptr;
};

// The Game tab's extensions button. A project that was never saved is told
// "Please save your project."; OK writes the project's extensions.dat.
void ShowExtensionsDialog(QWidget* parent, const std::string& projectname);

}  // namespace vorlane
