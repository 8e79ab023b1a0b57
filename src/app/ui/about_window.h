// The About window: the About picture with the version on it. A click on the
// picture closes it; nothing else does.
#pragma once

#include <QDialog>

class QLabel;

namespace vorlane {

class PictureControl;

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent);
  PictureControl* picture() const { return picture_; }
  QLabel* version_label() const { return version_; }
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  PictureControl* picture_;
  QLabel* version_;
};

}  // namespace vorlane
