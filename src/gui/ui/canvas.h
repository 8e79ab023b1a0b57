// A drawing surface that shows one of our Images, optionally enlarged, and
// reports the mouse in image pixels. Editors draw into image() and call
// update().
#pragma once

#include <QWidget>

#include "gui/image.h"

namespace vorlane {

class Canvas : public QWidget {
  Q_OBJECT
 public:
  explicit Canvas(QWidget* parent = nullptr);

  Image& image() { return image_; }
  const Image& image() const { return image_; }
  void SetImage(Image image);
  // Each image pixel is shown as zoom x zoom screen pixels (at least 1).
  void SetZoom(int zoom);
  int zoom() const { return zoom_; }
  // Screen position inside the canvas to image pixel (rounded down).
  QPoint ToImage(const QPointF& position) const;

 signals:
  // Buttons are Qt::MouseButton values; positions are image pixels.
  void Pressed(int x, int y, int button, int modifiers);
  void Moved(int x, int y, int buttons, int modifiers);
  void Released(int x, int y, int button, int modifiers);
  void Wheel(int x, int y, int steps, int modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  Image image_;
  int zoom_ = 1;
};

}  // namespace vorlane
