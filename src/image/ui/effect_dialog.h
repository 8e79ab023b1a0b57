// One window for every transform and colour effect of the frame editor: the
// current frame as it is and as the effect would leave it, the effect's own
// controls below, and whether OK changes every frame of the sprite.
#pragma once

#include <QDialog>
#include <functional>
#include <deque>
#include <random>
#include <vector>

#include "gui/image.h"
#include "image/effect_table.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;
class QSlider;

namespace vorlane {

class Canvas;

class EffectDialog : public QDialog {
  Q_OBJECT
 public:
  using Effect = std::function<Image(const Image&)>;
  // `frame` is the current frame; it is shown, never changed.
  EffectDialog(QWidget* parent, EffectKind kind, ImageRef frame);

  EffectKind kind() const { return entry_.kind; }
  // The effect with the values chosen now, as OK applies it to the frames.
  Effect Chosen() const;
  bool apply_all() const;

  // What the user works with, found by their label or text; null when the
  // effect has no such control.
  QSlider* slider(const QString& label) const;
  QLineEdit* field(const QString& label) const;
  QCheckBox* check(const QString& text) const;
  QRadioButton* choice(const QString& text) const;
  Canvas* original_canvas() const { return original_; }
  Canvas* modified_canvas() const { return modified_; }
  // The picture shown on the right, and the noise added to it.
  const Image& preview() const { return preview_; }
  const std::vector<std::uint8_t>& noise_plane() const { return plane_; }
  Color erase_color() const { return erase_color_; }

 private:
  // A slider with its label and number field in one row.
  struct Number {
    QString label;
    QSlider* slider;
    QLineEdit* field;
  };
  void AddNumber(const EffectControl& control, int y);
  void AddColourPicker(int y);
  void BuildControls();
  // The slider moved, or the field was edited.
  void SliderMoved(Number& number);
  void FieldEdited(Number& number);
  void NumberChanged(const Number& number);
  EffectValues Values() const;
  void PickEraseColor();
  void Recompute();

  const EffectEntry& entry_;
  const ImageRef frame_;
  Image preview_;
  std::vector<std::uint8_t> plane_;
  std::mt19937 seeds_;
  Color erase_color_;
  std::deque<Number> numbers_;  // stable addresses for the connections
  std::vector<QCheckBox*> checks_;
  std::vector<QRadioButton*> choices_;
  QLabel* colour_box_ = nullptr;
  QScrollArea* original_area_;
  QScrollArea* modified_area_;
  Canvas* original_;
  Canvas* modified_;
  QCheckBox* apply_all_;
  bool building_ = true;
  bool syncing_ = false;
};

}  // namespace vorlane
