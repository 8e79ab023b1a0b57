// The frame editor's drawing surface: the frame being drawn over the
// transparency checkerboard, the neighbouring frames faint beneath it (the
// onion skin), a pixel grid from zoom 8 up and the selection's outline, the
// last two drawn in screen pixels so they stay one pixel thin at any zoom.
#pragma once

#include <QRect>
#include <functional>

#include "gui/ui/canvas.h"
#include "image/draw_tools.h"

namespace vorlane {

class DrawingCanvas : public Canvas {
  Q_OBJECT
 public:
  static constexpr int kGridZoom = 8;  // the grid shows from this zoom up
  static constexpr int kOnionOpacity = 64;

  // Shows `state.image`; the tools change it and report what changed.
  DrawingCanvas(QWidget* parent, const DrawState& state, const SelectTool& select);

  // The faint frames under the current one; null for none.
  void SetOnion(ImageRef before, ImageRef after);
  // The frame's size changed (a new frame, an undo).
  void Reload();
  // Repaints the picture pixels of `area` only.
  void UpdatePicture(const QRect& area);
  // The wheel turned by `steps` notches (up is positive) at `position`.
  void SetWheel(std::function<void(int steps, QPoint position)> wheel) {
    wheel_ = std::move(wheel);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void PaintPicture(Image& target, int left, int top) const;

  const DrawState& state_;
  const SelectTool& select_;
  ImageRef before_, after_;
  std::function<void(int, QPoint)> wheel_;
  int wheel_rest_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace vorlane
