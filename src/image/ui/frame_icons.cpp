#include "image/ui/frame_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorlane {
namespace {

// A sheet of paper: the frame every file and frame icon starts from.
void Sheet(QPainter& p, QRectF box) {
  p.drawRect(box);
}

void ArrowHead(QPainter& p, QPointF tip, QPointF back) {
  // Two strokes from the tip, each turned 35 degrees from the way back.
  const QPointF d = back - tip;
  const double c = 0.82, s = 0.57;
  p.drawLine(tip, tip + QPointF(d.x() * c - d.y() * s, d.x() * s + d.y() * c));
  p.drawLine(tip, tip + QPointF(d.x() * c + d.y() * s, -d.x() * s + d.y() * c));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = from - to;
  const double length = std::hypot(d.x(), d.y());
  ArrowHead(p, to, to + d * (4.0 / length));
}

}  // namespace

QIcon MakeFrameIcon(FrameIcon icon, const QColor& ink) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QPen pen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  const QColor paper = QColor(255, 255, 255);
  switch (icon) {
    case FrameIcon::New:
      p.setBrush(paper);
      Sheet(p, {4.5, 2.5, 11, 15});
      p.drawLine(QPointF(10, 7), QPointF(10, 13));
      p.drawLine(QPointF(7, 10), QPointF(13, 10));
      break;
    case FrameIcon::AddFile:
      p.setBrush(paper);
      Sheet(p, {2.5, 2.5, 10, 13});
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(40, 140, 40), 2));
      p.drawLine(QPointF(15, 11), QPointF(15, 18));
      p.drawLine(QPointF(11.5, 14.5), QPointF(18.5, 14.5));
      break;
    case FrameIcon::SaveStrip:
      p.setBrush(paper);
      for (int i = 0; i < 3; ++i) Sheet(p, {1.5 + i * 6, 4.5, 5, 7});
      p.setBrush(Qt::NoBrush);
      Arrow(p, {10, 12}, {10, 18.5});
      break;
    case FrameIcon::Duplicate:
      p.setBrush(paper);
      Sheet(p, {2.5, 2.5, 10, 11});
      Sheet(p, {7.5, 6.5, 10, 11});
      break;
    case FrameIcon::MoveLeft:
    case FrameIcon::MoveRight: {
      const bool right = icon == FrameIcon::MoveRight;
      p.setBrush(paper);
      Sheet(p, {right ? 2.5 : 10.5, 4.5, 7, 11});
      p.setBrush(Qt::NoBrush);
      if (right)
        Arrow(p, {11, 10}, {18, 10});
      else
        Arrow(p, {9, 10}, {2, 10});
      break;
    }
    case FrameIcon::Delete:
      p.setBrush(paper);
      Sheet(p, {3.5, 3.5, 10, 13});
      p.setPen(QPen(QColor(200, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(10, 9), QPointF(17, 16));
      p.drawLine(QPointF(17, 9), QPointF(10, 16));
      break;
    case FrameIcon::Shift:
      Arrow(p, {10, 10}, {18, 10});
      Arrow(p, {10, 10}, {2, 10});
      Arrow(p, {10, 10}, {10, 2});
      Arrow(p, {10, 10}, {10, 18});
      break;
    case FrameIcon::Mirror: {
      p.setPen(QPen(ink, 1, Qt::DashLine));
      p.drawLine(QPointF(10, 1), QPointF(10, 19));
      p.setPen(pen);
      p.setBrush(ink);
      p.drawPolygon(QPolygonF({QPointF(8, 4), QPointF(8, 16), QPointF(2, 16)}));
      p.setBrush(paper);
      p.drawPolygon(QPolygonF({QPointF(12, 4), QPointF(12, 16), QPointF(18, 16)}));
      break;
    }
    case FrameIcon::Rotate: {
      QPainterPath path;
      path.arcMoveTo(QRectF(3, 3, 14, 14), 120);
      path.arcTo(QRectF(3, 3, 14, 14), 120, 270);
      p.drawPath(path);
      ArrowHead(p, path.pointAtPercent(0), path.pointAtPercent(0) + QPointF(4, 1));
      break;
    }
    case FrameIcon::Scale:
      p.drawRect(QRectF(2.5, 9.5, 7, 7));
      p.setPen(QPen(ink, 1, Qt::DashLine));
      p.drawRect(QRectF(2.5, 3.5, 13, 13));
      p.setPen(pen);
      Arrow(p, {9, 10}, {16.5, 2.5});
      break;
    case FrameIcon::ResizeCanvas:
      p.setBrush(paper);
      p.drawRect(QRectF(6.5, 6.5, 7, 7));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 1, Qt::DashLine));
      p.drawRect(QRectF(1.5, 1.5, 17, 17));
      break;
    case FrameIcon::Stretch:
      p.setBrush(paper);
      p.drawRect(QRectF(1.5, 6.5, 17, 7));
      p.setBrush(Qt::NoBrush);
      Arrow(p, {7, 10}, {3, 10});
      Arrow(p, {13, 10}, {17, 10});
      break;
    case FrameIcon::Grayscale: {
      QLinearGradient fill(2, 0, 18, 0);
      fill.setColorAt(0, Qt::black);
      fill.setColorAt(1, Qt::white);
      p.setBrush(fill);
      p.drawRect(QRectF(2.5, 4.5, 15, 11));
      break;
    }
    case FrameIcon::Colorize: {
      QLinearGradient fill(2, 0, 18, 0);
      for (int i = 0; i <= 6; ++i) fill.setColorAt(i / 6.0, QColor::fromHsv(i * 59, 255, 255));
      p.setBrush(fill);
      p.drawRect(QRectF(2.5, 4.5, 15, 11));
      break;
    }
    case FrameIcon::ColorBalance: {
      p.setPen(Qt::NoPen);
      const QColor colours[3] = {QColor(230, 40, 40), QColor(40, 180, 40), QColor(50, 80, 230)};
      const int heights[3] = {12, 7, 15};
      for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(2 + i * 6, 18 - heights[i], 4.5, heights[i]));
      }
      break;
    }
    case FrameIcon::SwapChannels: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(230, 40, 40));
      p.drawEllipse(QPointF(5, 5), 3.5, 3.5);
      p.setBrush(QColor(50, 80, 230));
      p.drawEllipse(QPointF(15, 15), 3.5, 3.5);
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      Arrow(p, {9, 4.5}, {16, 11});
      Arrow(p, {11, 15.5}, {4, 9});
      break;
    }
    case FrameIcon::Invert:
      p.setBrush(ink);
      p.drawPie(QRectF(3, 3, 14, 14), 90 * 16, 180 * 16);
      p.setBrush(paper);
      p.drawPie(QRectF(3, 3, 14, 14), -90 * 16, 180 * 16);
      break;
    case FrameIcon::Brightness:
      p.setBrush(QColor(250, 210, 40));
      p.drawEllipse(QPointF(10, 10), 4, 4);
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(10, 10);
        p.rotate(i * 45);
        p.drawLine(QPointF(0, 6.5), QPointF(0, 8.5));
        p.restore();
      }
      break;
    case FrameIcon::Opacity:
      p.setBrush(QColor(50, 80, 230));
      p.drawRect(QRectF(2.5, 2.5, 10, 10));
      p.setBrush(QColor(230, 40, 40, 110));
      p.drawRect(QRectF(7.5, 7.5, 10, 10));
      break;
    case FrameIcon::Posterize:
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(40 + i * 60, 40 + i * 60, 200));
        p.drawRect(QRectF(2 + i * 4, 3, 4, 14));
      }
      break;
    case FrameIcon::Noise: {
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      // A fixed scatter, so the icon is the same on every run.
      static const int dots[][2] = {{3, 4},  {8, 2},   {14, 3},  {5, 9},  {11, 7}, {16, 9},
                                    {2, 14}, {9, 12},  {13, 14}, {6, 17}, {17, 16}, {11, 17}};
      for (const auto& dot : dots) p.drawRect(QRectF(dot[0], dot[1], 2, 2));
      break;
    }
    case FrameIcon::EraseColor:
      p.setBrush(QColor(230, 40, 40));
      p.drawRect(QRectF(2.5, 8.5, 9, 9));
      p.setBrush(paper);
      p.save();
      p.translate(13, 7);
      p.rotate(45);
      p.drawRect(QRectF(-3, -6, 6, 12));
      p.restore();
      break;
    case FrameIcon::MakeOpaque:
      p.setBrush(QColor(50, 80, 230));
      p.drawRect(QRectF(3.5, 3.5, 13, 13));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(230, 230, 240));
      p.drawRect(QRectF(4.2, 4.2, 4, 4));
      p.drawRect(QRectF(8.2, 8.2, 4, 4));
      break;
    case FrameIcon::Pencil:
      p.drawPolygon(QPolygonF({{4, 16}, {5, 12}, {14, 3}, {17, 6}, {8, 15}}));
      p.drawLine(QPointF(5, 12), QPointF(8, 15));
      break;
    case FrameIcon::Eraser:
      p.setBrush(QColor(230, 150, 160));
      p.drawPolygon(QPolygonF({{3, 12}, {10, 5}, {17, 12}, {10, 19}}));
      break;
    case FrameIcon::Line: p.drawLine(QPointF(3, 17), QPointF(17, 3)); break;
    case FrameIcon::Rectangle: p.drawRect(QRectF(3.5, 5.5, 13, 9)); break;
    case FrameIcon::Ellipse: p.drawEllipse(QRectF(2.5, 4.5, 15, 11)); break;
    case FrameIcon::Fill:
      p.drawPolygon(QPolygonF({{3, 9}, {9, 3}, {15, 9}, {9, 15}}));
      p.setBrush(QColor(40, 110, 220));
      p.drawEllipse(QRectF(14, 12, 4, 6));
      break;
    case FrameIcon::Picker:
      p.drawLine(QPointF(3, 17), QPointF(12, 8));
      p.setBrush(ink);
      p.drawEllipse(QRectF(11, 3, 6, 6));
      break;
    case FrameIcon::Select:
      p.setPen(QPen(ink, 1.2, Qt::DashLine));
      p.drawRect(QRectF(3.5, 4.5, 13, 11));
      break;
  }
  return QIcon(pixmap);
}

}  // namespace vorlane
