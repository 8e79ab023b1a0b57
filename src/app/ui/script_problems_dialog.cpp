#include "app/ui/script_problems_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui/ui/controls.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

ScriptProblemsDialog::ScriptProblemsDialog(QWidget* parent,
                                           const std::vector<ScriptProblem>& problems)
    : QDialog(parent) {
  setWindowTitle("Error");
  setFixedSize(560, 300);
  const std::string message = ScriptProblemsMessage(problems);
  auto* heading = new QLabel(Q(message.substr(0, message.find('\n'))), this);
  heading->setGeometry(12, 10, 536, 24);
  list_ = new QListWidget(this);
  list_->setGeometry(12, 38, 536, 208);
  for (const ScriptProblem& problem : problems) list_->addItem(Q(ProblemLine(problem)));
  list_->setCurrentRow(0);
  open_ = new QPushButton("Open code", this);
  open_->setGeometry(348, 258, 100, 30);
  open_->setDefault(true);
  auto* close = new QPushButton("Close", this);
  close->setGeometry(456, 258, 92, 30);
  const auto open = [this] {
    chosen_ = list_->currentRow();
    accept();
  };
  connect(open_, &QPushButton::clicked, this, open);
  connect(list_, &QListWidget::itemDoubleClicked, this, open);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace vorlane
