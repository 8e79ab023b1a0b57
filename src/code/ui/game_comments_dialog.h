// "Game comments": the project's free notes, edited or only shown, in a
// window kept above the others that only its OK button closes.
#pragma once

#include <QDialog>

#include "project/model.h"

class QPlainTextEdit;
class QPushButton;

namespace vorlane {

class GameCommentsDialog : public QDialog {
  Q_OBJECT

 public:
  // `project` null: the read-only viewer of `comments`.
  GameCommentsDialog(QWidget* parent, const std::string& comments, Project* project);

  QPlainTextEdit* text_box() const { return text_; }
  QPushButton* ok_button() const { return ok_; }

  void accept() override;
  void reject() override {}  // neither Escape nor the close button ends it

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Project* project_;
  QPlainTextEdit* text_;
  QString shown_;
  QPushButton* ok_;
};

// OK stores the text and marks the project modified; OK is the only way out,
// so this returns true.
bool EditGameComments(QWidget* parent, Project& project);
void ShowGameComments(QWidget* parent, const Project& project);

}  // namespace vorlane
