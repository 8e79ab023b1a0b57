#include "generate/ui/function_library_dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "generate/function_library.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

ExportFunctionsDialog::ExportFunctionsDialog(QWidget* parent, const Project& project)
    : QDialog(parent), project_(project) {
  constexpr int kWidth = 450, kHeight = 600;
  setWindowTitle("Select functions to export");
  setFixedSize(kWidth, kHeight);

  list_ = new QScrollArea(this);
  list_->setGeometry(10, 10, 230, 540);
  auto* inner = new QWidget;
  inner->setFixedSize(210, static_cast<int>(project.fns.size()) * 30 + 10);
  for (size_t i = 0; i < project.fns.size(); ++i) {
    QCheckBox* box = MakeCheckBox(inner, Q(project.fns[i].name), 10,
                                  static_cast<int>(i) * 30 + 10, 300, 25);
    box->setChecked(true);
    boxes_.push_back(box);
  }
  list_->setWidget(inner);
  list_->verticalScrollBar()->setSingleStep(16);

  MakeLabel(this, "Author", 250, 15, 190, 25);
  author_ = MakeTextField(this, "", 250, 40, 190, 25);
  MakeLabel(this, "Description", 250, 75, 190, 25);
  description_ = new QPlainTextEdit(this);
  description_->setGeometry(250, 100, 190, 450);

  QPushButton* cancel = MakeButton(this, "Cancel", 10, kHeight - 35, 65, 25);
  QPushButton* export_button = MakeButton(this, "Export", kWidth - 105, kHeight - 35, 95, 25);
  connect(cancel, &QPushButton::clicked, this, [this] { done(Rejected); });
  connect(export_button, &QPushButton::clicked, this, [this] { Export(); });
}

std::vector<bool> ExportFunctionsDialog::Ticked() const {
  std::vector<bool> ticked;
  for (const QCheckBox* box : boxes_) ticked.push_back(box->isChecked());
  return ticked;
}

void ExportFunctionsDialog::Export() {
  FileRequest request;
  request.title = "Exporting functions...";
  request.filter = "XML files | *.xml";
  const std::string path = LibraryFileName(Dialogs().SaveFile(this, request));
  if (path.empty()) return;  // no file chosen: the window stays
  if (LibraryNeedsOverwriteQuestion(path) &&
      !Dialogs().AskYesNo(this, "Message", kOverwriteLibraryQuestion))
    return;
  std::string error;
  if (!WriteFunctionLibrary(path, project_, Ticked(), author_->text().toStdString(),
                            description_->toPlainText().toStdString(), &error))
    Dialogs().Message(this, "Error", error);
  done(Accepted);
}

void ExportFunctionsDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

void ExportFunctions(QWidget* parent, const Project& project) {
  const std::string refusal = ExportRefusal(project);
  if (!refusal.empty()) {
    Dialogs().Message(parent, "Message", refusal);
    return;
  }
  ExportFunctionsDialog dialog(parent, project);
  Dialogs().Exec(dialog);
}

bool ImportFunctions(QWidget* parent, Project& project) {
  FileRequest request;
  request.title = "Select functions to import";
  request.filter = "XML files|*.xml";
  const std::string path = Dialogs().OpenFile(parent, request);
  if (path.empty()) return false;
  LibraryImport result;
  if (!ImportFunctionLibrary(project, path, &result)) {
    // Nothing was imported; say why rather than do nothing visibly.
    Dialogs().Message(parent, "Error", result.error);
    return false;
  }
  return true;
}

}  // namespace vorlane
