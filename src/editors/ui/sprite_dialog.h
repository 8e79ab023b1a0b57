// "Sprite properties": the sprite animated at a zoom over a checkerboard
// with its origin and collision shape, its name, origin and collision
// fields (which reach the sprite as they are typed), and the ways to its
// frames: "Load..." (a strip), "Save as PNG..." and "Edit".
#pragma once

#include <QTimer>

#include "editors/ui/resource_dialog.h"
#include "project/edit_stack.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSlider;

namespace vorlane {

class Canvas;

class SpriteDialog : public ResourceDialog {
  Q_OBJECT
 public:
  // The frame editor it opens makes steps of `history`.
  SpriteDialog(QWidget* parent, EditStack& history, int index);

  Canvas* preview() const { return canvas_; }
  QLabel* size_label() const { return size_label_; }
  QSlider* zoom_slider() const { return zoom_; }
  QLineEdit* speed_field() const { return speed_; }
  QCheckBox* show_shape_box() const { return show_shape_; }
  QLineEdit* origin_x() const { return origin_x_; }
  QLineEdit* origin_y() const { return origin_y_; }
  QComboBox* shape_list() const { return shape_; }
  QLineEdit* shape_field(int i) const { return shape_fields_[i]; }  // radius, l, r, t, b
  const QTimer& animation() const { return timer_; }
  int shown_frame() const { return current_; }

 private:
  std::vector<std::string> Done() override;
  Sprite& sprite();
  // The frames, the size label and the canvas after a change of frames or zoom.
  void RebuildPreview();
  void ShowFields();
  void Step();
  void RestartTimer();

  QScrollArea* scroll_;
  Canvas* canvas_;
  QLabel* size_label_;
  QCheckBox* show_shape_;
  QLineEdit* speed_;
  QSlider* zoom_;
  QLineEdit* origin_x_;
  QLineEdit* origin_y_;
  QComboBox* shape_;
  QLineEdit* shape_fields_[5];
  EditStack& history_;
  QTimer timer_;
  std::vector<ImageRef> pictures_;
  int current_ = 0;
  bool showing_ = false;
};

}  // namespace vorlane
