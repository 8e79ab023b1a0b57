#include "gui/ui/image_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstring>

namespace vorlane {

QImage ToQImage(const Image& image) {
  if (image.is_null()) return QImage();
  QImage out(image.width(), image.height(),
             image.has_alpha() ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
  const size_t bytes = static_cast<size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) std::memcpy(out.scanLine(y), image.row(y), bytes);
  return out;
}

QPixmap ToPixmap(const Image& image) { return QPixmap::fromImage(ToQImage(image)); }

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {}

void PictureControl::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void PictureControl::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
  if (!rect().contains(event->position().toPoint())) return;
  if (event->button() == Qt::LeftButton) emit Clicked();
  if (event->button() == Qt::RightButton) emit RightClicked(event->globalPosition().toPoint());
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void PictureButton::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int shift = pressed_ ? 1 : 0;
  painter.drawPixmap(shift, shift, picture_);
  if (hovered_ || pressed_) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pressed_ ? QColor(0, 0, 0, 40) : QColor(255, 255, 255, 45));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  }
  if (hasFocus()) {
    painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
  }
}

void PictureButton::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void PictureButton::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  update();
  if (rect().contains(event->position().toPoint())) emit Clicked();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    emit Clicked();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vorlane
