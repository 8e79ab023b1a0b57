#include "image/ui/drawing_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace vorlane {
namespace {

constexpr Color kLight{204, 204, 204, 255}, kDark{160, 160, 160, 255};

// The checkerboard in squares of 8 screen pixels, or one picture pixel
// when that is larger, so it reads as a background at every zoom.
void PaintChecks(Image& target, int left, int top, int zoom) {
  const int side = std::max(1, 8 / zoom);
  for (int y = 0; y < target.height(); ++y)
    for (int x = 0; x < target.width(); ++x)
      target.Plot(x, y, ((x + left) / side + (y + top) / side) % 2 ? kDark : kLight);
}

}  // namespace

DrawingCanvas::DrawingCanvas(QWidget* parent, const DrawState& state, const SelectTool& select)
    : Canvas(parent), state_(state), select_(select) {
  Reload();
}

void DrawingCanvas::SetOnion(ImageRef before, ImageRef after) {
  before_ = std::move(before);
  after_ = std::move(after);
  update();
}

void DrawingCanvas::Reload() {
  SetPicture(state_.image.width(), state_.image.height(),
             [this](Image& target, int left, int top) { PaintPicture(target, left, top); });
}

void DrawingCanvas::UpdatePicture(const QRect& area) {
  const int z = zoom();
  update(QRect(area.x() * z, area.y() * z, area.width() * z, area.height() * z));
}

void DrawingCanvas::PaintPicture(Image& target, int left, int top) const {
  PaintChecks(target, left, top, zoom());
  for (const ImageRef& near : {before_, after_})
    if (near) target.DrawWithOpacity(*near, -left, -top, kOnionOpacity);
  target.Draw(state_.image, -left, -top, DrawMode::Blend);
}

void DrawingCanvas::paintEvent(QPaintEvent* event) {
  Canvas::paintEvent(event);
  const int z = zoom();
  QPainter painter(this);
  const QRect area = event->rect();
  if (z >= kGridZoom) {
    // Lines between the pixels under the area, faint over any colour.
    painter.setPen(QColor(128, 128, 128, 110));
    const int right = std::min(area.right(), picture_width() * z);
    const int bottom = std::min(area.bottom(), picture_height() * z);
    for (int x = area.left() / z * z; x <= right; x += z) painter.drawLine(x, area.top(), x, bottom);
    for (int y = area.top() / z * z; y <= bottom; y += z) painter.drawLine(area.left(), y, right, y);
  }
  if (select_.has_selection()) {
    const QRect& s = select_.selection();
    const QRect box(s.x() * z - 1, s.y() * z - 1, s.width() * z + 1, s.height() * z + 1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(box);
  }
}

void DrawingCanvas::wheelEvent(QWheelEvent* event) {
  wheel_rest_ += event->angleDelta().y();
  const int steps = wheel_rest_ / 120;
  wheel_rest_ %= 120;
  if (steps != 0 && wheel_) wheel_(steps, event->position().toPoint());
  event->accept();
}

}  // namespace vorlane
