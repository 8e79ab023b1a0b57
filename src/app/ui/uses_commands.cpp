// Where a resource is used: the card's "Find uses", and the question a
// rename asks when scripts name the resource.
#include <QApplication>

#include "app/ui/main_window.h"
#include "app/ui/uses_windows.h"
#include "gui/ui/dialog_service.h"

namespace vorlane {

void MainWindow::FindUses(ResourceKind kind, const std::string& name) {
  UsesWindow window(this, name, FindResourceUses(session_.project, kind, name));
  if (Dialogs().Exec(window) != QDialog::Accepted || !window.chosen()) return;
  const ResourceUse use = *window.chosen();
  if (use.is_code || use.is_event)
    OpenScriptAt(use.code.place, use.is_code ? use.code.line : 0);
  else
    OpenEditor(use.kind, use.name);
}

void MainWindow::AskCodeRename(Project& project, const std::string& old_name,
                               const std::string& new_name) {
  const std::vector<ResourceUse> uses = CodeUseEntries(project, old_name);
  if (uses.empty()) return;
  // Over the dialog whose "Done" renamed the resource.
  QWidget* over = QApplication::activeModalWidget();
  CodeRenameWindow window(over ? over : this, old_name, new_name, uses);
  if (Dialogs().Exec(window) == QDialog::Accepted) RenameInCode(project, old_name, new_name);
}

}  // namespace vorlane
