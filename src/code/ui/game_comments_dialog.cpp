#include "code/ui/game_comments_dialog.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "code/ui/code_window.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/fonts.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

GameCommentsDialog::GameCommentsDialog(QWidget* parent, const std::string& comments, Project* project)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint),
      project_(project) {
  setWindowTitle("Game comments");
  setModal(true);
  CentreWindow(this, parent);
  setFixedSize(800, 600);

  text_ = new QPlainTextEdit(this);
  text_->setGeometry(10, 10, 780, 540);
  text_->setFont(Fonts().code);
  text_->setPlainText(Q(comments));
  shown_ = text_->toPlainText();
  text_->setReadOnly(project == nullptr);

  ok_ = new QPushButton("OK", this);
  ok_->setGeometry(725, 565, 65, 25);
  ok_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  text_->setFocus();
}

void GameCommentsDialog::accept() {
  if (project_) {
    // Untouched text keeps its own line ends.
    const QString text = text_->toPlainText();
    if (text != shown_) project_->settings.comments = text.toStdString();
    SetModified(*project_, 1);
  }
  QDialog::accept();
}

void GameCommentsDialog::closeEvent(QCloseEvent* event) {
  if (isVisible() && result() != QDialog::Accepted) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

bool EditGameComments(QWidget* parent, Project& project) {
  GameCommentsDialog dialog(parent, project.settings.comments, &project);
  Dialogs().Exec(dialog);
  return true;
}

void ShowGameComments(QWidget* parent, const Project& project) {
  GameCommentsDialog dialog(parent, project.settings.comments, nullptr);
  Dialogs().Exec(dialog);
}

}  // namespace vorlane
