// The frame editor's tool panel: a button per drawing tool, the primary and
// secondary colour swatches (a click asks for a colour), the sprite's own
// colours as a palette (left click: primary, right click: secondary), the
// brush size, filled shapes, the fill's tolerance and contiguity, and the
// onion skin switch. It writes its choices straight into the DrawState.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "image/draw_tools.h"

class QCheckBox;
class QSpinBox;
class QToolButton;

namespace vorlane {

class PaletteView;

class DrawPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 130;

  DrawPanel(QWidget* parent, DrawState& state);

  // Called when a tool button is pressed, and when the onion skin switches.
  void SetToolChosen(std::function<void(DrawToolKind)> chosen) { chosen_ = std::move(chosen); }
  void SetOnionChanged(std::function<void()> changed) { onion_changed_ = std::move(changed); }
  // Marks `kind`'s button as the one in use.
  void ShowTool(DrawToolKind kind);
  // The swatches show the state's colours again.
  void ShowColors();
  void SetPalette(std::vector<Color> colors);
  bool onion() const;

  QToolButton* tool_button(DrawToolKind kind) const {
    return tool_buttons_[static_cast<size_t>(kind)];
  }
  QToolButton* swatch(bool primary) const { return primary ? primary_ : secondary_; }
  QSpinBox* brush_box() const { return brush_; }

 private:
  void ChooseColor(bool primary);

  DrawState& state_;
  std::array<QToolButton*, kDrawToolCount> tool_buttons_{};
  QToolButton* primary_;
  QToolButton* secondary_;
  QSpinBox* brush_;
  QCheckBox* onion_;
  PaletteView* palette_;
  std::function<void(DrawToolKind)> chosen_;
  std::function<void()> onion_changed_;
};

}  // namespace vorlane
