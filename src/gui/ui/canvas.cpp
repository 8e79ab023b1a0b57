#include "gui/ui/canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <memory>

#include "gui/ui/image_view.h"

namespace vorlane {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);  // a click gives the canvas the keys
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::SetPicture(int width, int height, PaintPicture paint) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  paint_ = std::move(paint);
  Resize();
  update();
}

void Canvas::SetImage(Image image) {
  auto shown = std::make_shared<const Image>(std::move(image));
  SetPicture(shown->width(), shown->height(),
             [shown](Image& target, int left, int top) {
               target.Draw(*shown, -left, -top, DrawMode::Copy);
             });
}

bool Canvas::SetZoom(int zoom) {
  if (zoom < 1 || zoom > kMaxZoom) return false;
  zoom_ = zoom;
  shrink_ = 1;
  Resize();
  update();
  emit ZoomChanged();
  return true;
}

bool Canvas::SetShrink(int shrink) {
  if (shrink != 1 && shrink != 2 && shrink != 4) return false;
  zoom_ = 1;
  shrink_ = shrink;
  Resize();
  update();
  emit ZoomChanged();
  return true;
}

void Canvas::SetWheelZoom(int shrink, int largest) {
  wheel_shrink_ = std::clamp(shrink, 1, 4);
  wheel_largest_ = std::clamp(largest, 1, kMaxZoom);
}

QString Canvas::ZoomText() const { return QString::number(100 * zoom_ / shrink_) + "%"; }

void Canvas::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (wheel_shrink_ == 0 || steps == 0) return QWidget::wheelEvent(event);
  event->accept();
  // Halve or double, one step per notch, within the range.
  int zoom = zoom_, shrink = shrink_;
  for (int i = 0; i < std::abs(steps); ++i) {
    if (steps > 0 && shrink > 1)
      shrink /= 2;
    else if (steps > 0 && zoom * 2 <= wheel_largest_)
      zoom *= 2;
    else if (steps < 0 && zoom > 1)
      zoom /= 2;
    else if (steps < 0 && shrink * 2 <= wheel_shrink_)
      shrink *= 2;
  }
  if (zoom == zoom_ && shrink == shrink_) return;
  // The picture point under the pointer, and where the pointer is in the
  // scroll area's view, so that the point stays under it.
  const QPointF at = event->position();
  const double picture_x = at.x() * shrink_ / zoom_;
  const double picture_y = at.y() * shrink_ / zoom_;
  const QPoint in_view = mapToParent(at.toPoint());
  if (shrink > 1)
    SetShrink(shrink);
  else
    SetZoom(zoom);
  auto* area =
      parentWidget() ? qobject_cast<QScrollArea*>(parentWidget()->parentWidget()) : nullptr;
  if (!area) return;
  area->horizontalScrollBar()->setValue(static_cast<int>(picture_x * zoom_ / shrink_) -
                                        in_view.x());
  area->verticalScrollBar()->setValue(static_cast<int>(picture_y * zoom_ / shrink_) - in_view.y());
}

void Canvas::SetTool(CanvasTool* tool) {
  if (tool_) tool_->SetRepaint(nullptr);
  tool_ = tool;
  if (tool_) tool_->SetRepaint([this] { update(); });
  update();
}

void Canvas::Resize() {
  // Widgets cannot be as large as any picture times any zoom; the picture
  // is cut off beyond this (Qt treats its own maximum as "no size").
  const auto side = [this](int pixels) {
    return static_cast<int>(
        std::min<long long>(std::max(ToScreen(pixels), pixels > 0 ? 1LL : 0LL), kMaxSide));
  };
  setFixedSize(side(width_), side(height_));
}

QPoint Canvas::ToPicture(const QPointF& position) const {
  return QPoint(static_cast<int>(std::floor(position.x() * shrink_ / zoom_)),
                static_cast<int>(std::floor(position.y() * shrink_ / zoom_)));
}

void Canvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  // The picture pixels under the area to paint, and nothing more.
  // (Rounding down for the first pixel, up past the last.)
  const auto picture = [this](int screen, int up) {
    return static_cast<int>((1LL * screen * shrink_ + up * (zoom_ - 1)) / zoom_);
  };
  const int left = std::max(picture(area.left(), 0), 0);
  const int top = std::max(picture(area.top(), 0), 0);
  const int right = std::min(picture(area.right() + 1, 1), width_);
  const int bottom = std::min(picture(area.bottom() + 1, 1), height_);
  if (right <= left || bottom <= top) {
    painter.fillRect(area, palette().window());
    return;
  }
  const bool shrunk = paints_shrunk_ && shrink_ > 1;
  const int part_width = shrunk ? (right - left + shrink_ - 1) / shrink_ : right - left;
  const int part_height = shrunk ? (bottom - top + shrink_ - 1) / shrink_ : bottom - top;
  if (part_.width() == part_width && part_.height() == part_height && !part_.has_alpha())
    part_.Fill(Color{0, 0, 0, 255});  // as a new opaque picture starts
  else
    part_ = Image::Opaque(part_width, part_height);
  if (paint_) paint_(part_, left, top);
  if (tool_ && !shrunk) tool_->PaintOverlay(part_, left, top);
  const long long scale = shrunk ? shrink_ : 1;
  const QRect screen(static_cast<int>(ToScreen(left)), static_cast<int>(ToScreen(top)),
                     static_cast<int>(ToScreen(part_.width() * scale)),
                     static_cast<int>(ToScreen(part_.height() * scale)));
  // Shrunk pictures are averaged, so thin lines do not flicker in and out.
  if (shrink_ > 1 && !shrunk) painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(screen, ToQImage(part_));
}

PointerEvent Canvas::ToPointer(const QMouseEvent& event) const {
  const QPoint at = ToPicture(event.position());
  return {at.x(), at.y(), event.button(), event.buttons(), event.modifiers()};
}

void Canvas::mousePressEvent(QMouseEvent* event) {
  if (tool_) tool_->Press(ToPointer(*event));
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
  if (tool_) tool_->Move(ToPointer(*event));
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
  if (tool_) tool_->Release(ToPointer(*event));
}

void Canvas::keyPressEvent(QKeyEvent* event) {
  if (tool_ && tool_->Key({event->key(), event->modifiers()})) return;
  QWidget::keyPressEvent(event);
}

void Canvas::enterEvent(QEnterEvent*) {
  if (tool_) tool_->Enter();
}

void Canvas::leaveEvent(QEvent*) {
  if (tool_) tool_->Leave();
}

}  // namespace vorlane
