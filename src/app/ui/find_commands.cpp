// Find in project in the main window: the panel under the browser, what a
// double click on a match opens, and Replace all as one step.
#include <QLineEdit>

#include "app/ui/find_panel.h"
#include "app/ui/main_window.h"
#include "app/ui/output_panel.h"
#include "gui/ui/dialog_service.h"

namespace vorlane {

void MainWindow::BuildFindPanel() {
  find_ = new FindPanel(this, session_.project);
  addDockWidget(Qt::BottomDockWidgetArea, find_);
  tabifyDockWidget(output_, find_);
  find_->hide();
  connect(find_, &FindPanel::OpenScript, this,
          [this](const ScriptPlace& place, CodeSpot spot) { OpenScriptAt(place, spot); });
  connect(find_, &FindPanel::OpenResource, this,
          [this](ResourceKind kind, const std::string& name) { OpenEditor(kind, name); });
  connect(find_, &FindPanel::ReplaceAsked, this, &MainWindow::ReplaceAllFound);
}

void MainWindow::ReplaceAllFound() {
  const std::string text = find_->text();
  const std::string replacement = find_->replace_field()->text().toStdString();
  const SearchOptions options = find_->options();
  const std::vector<LineChange> changes =
      ReplacePreview(session_.project, text, replacement, options);
  if (changes.empty()) return;
  ReplacePreviewWindow preview(this, changes);
  if (Dialogs().Exec(preview) != QDialog::Accepted) return;
  int replaced = 0;
  session_.history.Apply("Replace \"" + text + "\" in scripts", [&](Project& project) {
    replaced = ReplaceInScripts(project, text, replacement, options);
  });
  SetStatus("Replaced " + std::to_string(replaced) + (replaced == 1 ? " match." : " matches."));
  find_->RunPendingSearch();
}

}  // namespace vorlane
