// Our Image on screen: conversion to the toolkit's pictures, and the picture
// control (a picture that reports clicks) used for cards, banners and the
// About window.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "gui/image.h"

namespace vorlane {

// A deep copy; 24-bit images become opaque pictures.
QImage ToQImage(const Image& image);
QPixmap ToPixmap(const Image& image);

class PictureControl : public QWidget {
  Q_OBJECT
 public:
  explicit PictureControl(QWidget* parent = nullptr);
  void SetPicture(const QPixmap& picture);
  const QPixmap& picture() const { return picture_; }

 signals:
  void Clicked();
  void DoubleClicked();
  void RightClicked(QPoint global_position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPixmap picture_;
};

// A button that is a picture (the Game tab's buttons): it lightens under the
// mouse and darkens while pressed, like a flat desktop button.
class PictureButton : public QWidget {
  Q_OBJECT
 public:
  explicit PictureButton(QWidget* parent = nullptr);
  void SetPicture(const QPixmap& picture);
  void Click() { emit Clicked(); }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QPixmap picture_;
  bool hovered_ = false;
  bool pressed_ = false;
};

}  // namespace vorlane
