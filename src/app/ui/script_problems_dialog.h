// The window that stops Run game, Export game and Debug game when a script
// does not parse: each broken script by place and line, and a button that
// opens the code at the chosen one.
#pragma once

#include <QDialog>
#include <vector>

#include "generate/script_check.h"

class QListWidget;
class QPushButton;

namespace vorlane {

class ScriptProblemsDialog : public QDialog {
  Q_OBJECT

 public:
  ScriptProblemsDialog(QWidget* parent, const std::vector<ScriptProblem>& problems);

  QListWidget* list() const { return list_; }
  QPushButton* open_button() const { return open_; }
  // The problem "Open code" was pressed for (or double clicked), else -1.
  int chosen() const { return chosen_; }

 private:
  QListWidget* list_;
  QPushButton* open_;
  int chosen_ = -1;
};

}  // namespace vorlane
