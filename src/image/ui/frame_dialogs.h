// The frame editor's small windows: "Create new sprite", "Adding new frame"
// and the size window of "Resize canvas" and "Stretch the images".
#pragma once

#include <QDialog>
#include <functional>

#include "image/frame_edits.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vorlane {

// The text of the "Error" box for a size outside 1..kMaxFrameSide.
extern const char kRefusedSizeText[];

// Width and height of a new one-frame sprite. OK hands the numbers to
// `make`; when it refuses them an "Error" box says so and the window stays.
class NewSpriteDialog : public QDialog {
  Q_OBJECT
 public:
  using Make = std::function<bool(int width, int height)>;
  NewSpriteDialog(QWidget* parent, Make make);
  QLineEdit* width_field() const { return width_; }
  QLineEdit* height_field() const { return height_; }
  QPushButton* ok_button() const { return ok_; }

 private:
  void OnOk();
  Make make_;
  QLineEdit* width_;
  QLineEdit* height_;
  QPushButton* ok_;
};

// Asked when a picture added to a sprite is not the size of its last frame.
class AddFrameDialog : public QDialog {
  Q_OBJECT
 public:
  AddFrameDialog(QWidget* parent, int frame_width, int frame_height, int new_width,
                 int new_height);
  FrameFit fit() const;
  FramePlacement placement() const;
  // The choices by their text, for tests.
  QRadioButton* choice(const QString& text) const;

 private:
  QRadioButton* keep_;
  QRadioButton* resize_all_;
  QRadioButton* top_left_;
  QRadioButton* centre_;
  QRadioButton* stretch_;
};

// "Resize canvas" (the pictures centred) or "Stretch the images" (scaled):
// the new size of every frame, starting from the last frame's. OK hands the
// size to `apply`; a refused size gives an "Error" box and the window stays.
class FrameSizeDialog : public QDialog {
  Q_OBJECT
 public:
  using Apply = std::function<bool(int width, int height, bool smooth)>;
  FrameSizeDialog(QWidget* parent, bool stretch, int width, int height, Apply apply);
  QLineEdit* width_field() const { return new_width_; }
  QLineEdit* height_field() const { return new_height_; }
  QCheckBox* keep_aspect() const { return keep_aspect_; }
  QCheckBox* smooth() const { return smooth_; }  // null for "Resize canvas"
  QPushButton* ok_button() const { return ok_; }

 private:
  void Follow(bool width_changed);
  void OnOk();
  const int width_;
  const int height_;
  Apply apply_;
  QLineEdit* new_width_;
  QLineEdit* new_height_;
  QCheckBox* keep_aspect_;
  QCheckBox* smooth_ = nullptr;
  QPushButton* ok_;
  bool following_ = false;
};

}  // namespace vorlane
