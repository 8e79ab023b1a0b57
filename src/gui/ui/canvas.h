// The drawing surface of an editor: shows a picture of a given size at a
// zoom and hands the mouse and keys to its current tool. The picture is
// drawn on demand and only where it is on screen, so a canvas costs nothing
// while idle and little for a large scene.
#pragma once

#include <QWidget>
#include <functional>

#include "gui/canvas_tool.h"
#include "gui/image.h"

namespace vorlane {

class Canvas : public QWidget {
  Q_OBJECT
 public:
  // Draws the part of the picture whose top-left pixel is (left, top) into
  // `target`, which is as large as that part.
  using PaintPicture = std::function<void(Image& target, int left, int top)>;

  static constexpr int kMaxZoom = 64;
  static constexpr int kMaxSide = 1 << 23;  // screen pixels

  explicit Canvas(QWidget* parent = nullptr);

  void SetPicture(int width, int height, PaintPicture paint);
  // A fixed image as the picture.
  void SetImage(Image image);
  // Each picture pixel becomes zoom x zoom screen pixels; values outside
  // 1..kMaxZoom are refused (false).
  bool SetZoom(int zoom);
  // Zoomed out: each shrink x shrink picture pixels become one screen pixel
  // (1, 2 or 4; the zoom is then 1). Anything else is refused (false).
  bool SetShrink(int shrink);
  // The painter draws zoomed-out views itself: `target` then holds screen
  // pixels, each covering shrink() x shrink() picture pixels from (left,
  // top), and no tool overlay is drawn over it. Otherwise the canvas
  // shrinks what the painter drew at full size.
  void SetPaintsShrunk(bool paints) { paints_shrunk_ = paints; }
  // The mouse wheel zooms in and out by halves and doubles, from 1/`shrink`
  // to `largest`, keeping the picture pixel under the pointer where it is;
  // without this call the wheel scrolls as usual.
  void SetWheelZoom(int shrink, int largest);
  // "25%", "100%", "800%".
  QString ZoomText() const;
  // The tool receiving events, not owned; null for none.
  void SetTool(CanvasTool* tool);

  int zoom() const { return zoom_; }
  int shrink() const { return shrink_; }
  int picture_width() const { return width_; }
  int picture_height() const { return height_; }
  CanvasTool* tool() const { return tool_; }
  // A position on the canvas in picture pixels, rounded down.
  QPoint ToPicture(const QPointF& position) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  PointerEvent ToPointer(const QMouseEvent& event) const;
  void Resize();
  // Screen pixels of `pixels` picture pixels, and back (rounded down).
  long long ToScreen(long long pixels) const { return pixels * zoom_ / shrink_; }

 signals:
  void ZoomChanged();

 private:
  int width_ = 0;
  int height_ = 0;
  int zoom_ = 1;
  int shrink_ = 1;
  bool paints_shrunk_ = false;
  int wheel_shrink_ = 0;  // 0: the wheel scrolls
  int wheel_largest_ = 1;
  PaintPicture paint_;
  CanvasTool* tool_ = nullptr;
  // The part painted last, kept so that a repaint of the same size draws
  // into memory already in use instead of megabytes fresh from the system.
  Image part_;
};

}  // namespace vorlane
