#include "app/ui/go_to_window.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "gui/ui/qt_text.h"

namespace vorlane {

GoToWindow::GoToWindow(QWidget* parent, const Project& project)
    : QDialog(parent), project_(project) {
  setWindowTitle("Go to resource");
  setFixedSize(420, 320);
  field_ = new QLineEdit(this);
  field_->setGeometry(10, 10, 400, 28);
  field_->setPlaceholderText("Letters of a name, such as opl for obj_player");
  list_ = new QListWidget(this);
  list_->setGeometry(10, 46, 400, 264);
  // The arrow keys move in the list while the letters go to the field.
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::textChanged, this, &GoToWindow::Search);
  connect(field_, &QLineEdit::returnPressed, this, &GoToWindow::Choose);
  connect(list_, &QListWidget::itemActivated, this, &GoToWindow::Choose);
  Search();
}

bool GoToWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Down || key == Qt::Key_Up) {
      const int row = list_->currentRow() + (key == Qt::Key_Down ? 1 : -1);
      if (row >= 0 && row < list_->count()) list_->setCurrentRow(row);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void GoToWindow::Search() {
  matches_ = FindResources(project_, field_->text().toStdString());
  list_->clear();
  for (const ResourceMatch& m : matches_)
    list_->addItem(Q(m.name + "    " + KindWord(m.kind)));
  if (!matches_.empty()) list_->setCurrentRow(0);
}

void GoToWindow::Choose() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(matches_.size())) return;
  chosen_ = matches_[static_cast<size_t>(row)];
  accept();
}

}  // namespace vorlane
