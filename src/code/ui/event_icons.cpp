#include "code/ui/event_icons.h"

#include <algorithm>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorlane {

namespace {

constexpr int kIconSize = 16;

QPixmap Canvas() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A rounded tile of `colour` with a white drawing made by `draw`.
template <typename Draw>
QIcon Tile(QColor colour, Draw draw) {
  QPixmap pixmap = Canvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(colour.darker(130));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(0.5, 0.5, kIconSize - 1, kIconSize - 1), 3, 3);
  p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  draw(p);
  return QIcon(pixmap);
}

}  // namespace

const std::vector<std::string>& EventNames() {
  static const std::vector<std::string> names = {"Creation", "Destroy",  "Step",
                                                 "End step", "Collision", "Room start",
                                                 "Room end", "Animation end", "Draw",
                                                 "Alarm",    "Keyboard",  "Key pressed",
                                                 "Key released", "Mouse"};
  return names;
}

bool EventHasChosenParameter(const std::string& event) {
  const auto& names = EventNames();
  const auto found = std::find(names.begin(), names.end(), event);
  return found - names.begin() >= kFirstChosenParameterEvent && found != names.end();
}

QIcon EventIcon(int event_index) {
  switch (event_index) {
    case 0:  // Creation: a plus
      return Tile(QColor(46, 160, 67), [](QPainter& p) {
        p.drawLine(QPointF(8, 4), QPointF(8, 12));
        p.drawLine(QPointF(4, 8), QPointF(12, 8));
      });
    case 1:  // Destroy: a cross
      return Tile(QColor(207, 52, 52), [](QPainter& p) {
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
      });
    case 2:  // Step: a right arrow
      return Tile(QColor(52, 110, 207), [](QPainter& p) {
        p.drawLine(QPointF(4, 8), QPointF(12, 8));
        p.drawLine(QPointF(9, 5), QPointF(12, 8));
        p.drawLine(QPointF(9, 11), QPointF(12, 8));
      });
    case 3:  // End step: an arrow against a bar
      return Tile(QColor(36, 78, 150), [](QPainter& p) {
        p.drawLine(QPointF(3, 8), QPointF(10, 8));
        p.drawLine(QPointF(7, 5), QPointF(10, 8));
        p.drawLine(QPointF(7, 11), QPointF(10, 8));
        p.drawLine(QPointF(12.5, 4), QPointF(12.5, 12));
      });
    case 4:  // Collision: two touching balls
      return Tile(QColor(230, 126, 34), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(5.5, 9), 2.8, 2.8);
        p.drawEllipse(QPointF(10.5, 7), 2.8, 2.8);
      });
    case 5:  // Room start: a play mark
      return Tile(QColor(142, 68, 173), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(5, 4), QPointF(12, 8), QPointF(5, 12)}));
      });
    case 6:  // Room end: a stop mark
      return Tile(QColor(108, 52, 131), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5, 5, 6, 6));
      });
    case 7:  // Animation end: a film strip
      return Tile(QColor(22, 160, 133), [](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1.2));
        p.drawRect(QRectF(4, 4, 8, 8));
        p.drawLine(QPointF(4, 8), QPointF(12, 8));
      });
    case 8:  // Draw: a pencil stroke
      return Tile(QColor(160, 110, 45), [](QPainter& p) {
        p.drawLine(QPointF(4.5, 11.5), QPointF(11, 5));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(3.5, 12.5), QPointF(4, 10), QPointF(6, 12)}));
      });
    case 9:  // Alarm: a clock
      return Tile(QColor(192, 57, 43), [](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
        p.drawLine(QPointF(8, 8), QPointF(8, 5));
        p.drawLine(QPointF(8, 8), QPointF(10.5, 8));
      });
    case 10:  // Keyboard: a key cap
    case 11:  // Key pressed: a key cap with a down arrow
    case 12:  // Key released: a key cap with an up arrow
      return Tile(QColor(80, 90, 105), [event_index](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 1.5, 1.5);
        if (event_index == 10) return;
        const double tip = event_index == 11 ? 10.5 : 5.5;
        p.drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
        p.drawLine(QPointF(6, 8), QPointF(8, tip));
        p.drawLine(QPointF(10, 8), QPointF(8, tip));
      });
    case 13:  // Mouse: a mouse with its buttons
      return Tile(QColor(41, 128, 185), [](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(4.5, 3, 7, 10), 3.5, 3.5);
        p.drawLine(QPointF(4.5, 7), QPointF(11.5, 7));
        p.drawLine(QPointF(8, 3), QPointF(8, 7));
      });
    default: return QIcon();
  }
}

QIcon GenericObjectIcon() {
  return Tile(QColor(120, 130, 145), [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
  });
}

QIcon ObjectIcon(const Image* image) {
  if (!image || image->is_null()) return GenericObjectIcon();
  const QImage picture(image->data(), image->width(), image->height(), image->width() * 4,
                       image->has_alpha() ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
  QPixmap pixmap = Canvas();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QSize fitted = picture.size().scaled(kIconSize, kIconSize, Qt::KeepAspectRatio);
  const QRect target((kIconSize - fitted.width()) / 2, (kIconSize - fitted.height()) / 2,
                     std::max(fitted.width(), 1), std::max(fitted.height(), 1));
  p.drawImage(target, picture);
  return QIcon(pixmap);
}

}  // namespace vorlane
