// The frame editor's drawing surface: the frame being drawn over the
// transparency checkerboard, the neighbouring frames faint beneath it (the
// onion skin), a pixel grid from zoom 8 up and the selection's outline, the
// last two in screen pixels so they stay one pixel thin at any zoom. It
// enlarges the picture itself, pixel by pixel, with the grid in the same
// pass: the toolkit's scaled drawing costs a whole view's repaint several
// times as much.
#pragma once

#include <QImage>
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
  // `part_` enlarged into `screen_`, the grid drawn in.
  void Enlarge();

  const DrawState& state_;
  const SelectTool& select_;
  ImageRef before_, after_;
  std::function<void(int, QPoint)> wheel_;
  int wheel_rest_ = 0;  // eighths of a degree not yet a whole notch
  // The last painted part in picture and in screen pixels, kept so that a
  // repaint of the same size reuses their memory.
  Image part_;
  QImage screen_;
};

}  // namespace vorlane
