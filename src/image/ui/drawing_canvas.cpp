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
  QPainter painter(this);
  const QRect area = event->rect();
  const int z = zoom();
  // The picture pixels under the area to paint, and nothing more.
  const int left = std::max(area.left() / z, 0), top = std::max(area.top() / z, 0);
  const int right = std::min(area.right() / z + 1, picture_width());
  const int bottom = std::min(area.bottom() / z + 1, picture_height());
  if (right <= left || bottom <= top) {
    painter.fillRect(area, palette().window());
    return;
  }
  if (part_.width() != right - left || part_.height() != bottom - top)
    part_ = Image::Opaque(right - left, bottom - top);
  PaintPicture(part_, left, top);  // every pixel, so nothing of the last paint stays
  if (tool()) tool()->PaintOverlay(part_, left, top);
  Enlarge();
  painter.drawImage(QPoint(left * z, top * z), screen_);
  if (select_.has_selection()) {
    const QRect& s = select_.selection();
    const QRect box(s.x() * z - 1, s.y() * z - 1, s.width() * z + 1, s.height() * z + 1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(box);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(box);
  }
}

void DrawingCanvas::Enlarge() {
  const int z = zoom();
  const QSize size(part_.width() * z, part_.height() * z);
  if (screen_.size() != size) screen_ = QImage(size, QImage::Format_RGB32);
  const bool grid = z >= kGridZoom;
  // The grid: each pixel's top row and left column of screen pixels a
  // little towards mid grey, so it shows over any colour.
  const auto line = [](QRgb c) {
    const auto mix = [](int v) { return v + (128 - v) * 110 / 255; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
  };
  for (int y = 0; y < part_.height(); ++y) {
    auto* first = reinterpret_cast<QRgb*>(screen_.scanLine(y * z));
    const std::uint8_t* p = part_.row(y);
    for (int x = 0; x < part_.width(); ++x, p += 4) {
      const QRgb c = qRgb(p[0], p[1], p[2]);
      std::fill_n(first + x * z, z, c);
      if (grid) first[x * z] = line(c);
    }
    for (int k = 1; k < z; ++k)
      std::copy_n(first, size.width(), reinterpret_cast<QRgb*>(screen_.scanLine(y * z + k)));
    if (grid)
      for (int x = 0; x < size.width(); ++x) first[x] = line(first[x]);
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
