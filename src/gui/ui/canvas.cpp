#include "gui/ui/canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "gui/ui/image_view.h"

namespace vorlane {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::SetImage(Image image) {
  image_ = std::move(image);
  update();
}

void Canvas::SetZoom(int zoom) {
  zoom_ = zoom < 1 ? 1 : zoom;
  update();
}

QPoint Canvas::ToImage(const QPointF& position) const {
  return QPoint(static_cast<int>(std::floor(position.x() / zoom_)),
                static_cast<int>(std::floor(position.y() / zoom_)));
}

void Canvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (image_.is_null()) return;
  painter.drawImage(QRect(0, 0, image_.width() * zoom_, image_.height() * zoom_), ToQImage(image_));
}

void Canvas::mousePressEvent(QMouseEvent* event) {
  const QPoint p = ToImage(event->position());
  emit Pressed(p.x(), p.y(), event->button(), event->modifiers());
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = ToImage(event->position());
  emit Moved(p.x(), p.y(), event->buttons(), event->modifiers());
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = ToImage(event->position());
  emit Released(p.x(), p.y(), event->button(), event->modifiers());
}

void Canvas::wheelEvent(QWheelEvent* event) {
  const QPoint p = ToImage(event->position());
  emit Wheel(p.x(), p.y(), event->angleDelta().y() / 120, event->modifiers());
}

}  // namespace vorlane
