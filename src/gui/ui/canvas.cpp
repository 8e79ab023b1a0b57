#include "gui/ui/canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
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
  Resize();
  update();
  return true;
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
    return static_cast<int>(std::min<long long>(1LL * pixels * zoom_, kMaxSide));
  };
  setFixedSize(side(width_), side(height_));
}

QPoint Canvas::ToPicture(const QPointF& position) const {
  return QPoint(static_cast<int>(std::floor(position.x() / zoom_)),
                static_cast<int>(std::floor(position.y() / zoom_)));
}

void Canvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  // The picture pixels under the area to paint, and nothing more.
  const int left = std::max(area.left() / zoom_, 0);
  const int top = std::max(area.top() / zoom_, 0);
  const int right = std::min(area.right() / zoom_ + 1, width_);
  const int bottom = std::min(area.bottom() / zoom_ + 1, height_);
  if (right <= left || bottom <= top) {
    painter.fillRect(area, palette().window());
    return;
  }
  if (part_.width() == right - left && part_.height() == bottom - top && !part_.has_alpha())
    part_.Fill(Color{0, 0, 0, 255});  // as a new opaque picture starts
  else
    part_ = Image::Opaque(right - left, bottom - top);
  if (paint_) paint_(part_, left, top);
  if (tool_) tool_->PaintOverlay(part_, left, top);
  painter.drawImage(QRect(left * zoom_, top * zoom_, part_.width() * zoom_, part_.height() * zoom_),
                    ToQImage(part_));
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
