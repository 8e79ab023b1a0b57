#include "scene/ui/scene_icons.h"

#include <QComboBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorlane {
namespace {

void Arrow(QPainter& p, bool forward) {
  // A curved arrow turning back (undo) or on (redo).
  QPainterPath path;
  if (forward) {
    path.moveTo(4, 14);
    path.cubicTo(4, 5, 14, 5, 15, 9);
  } else {
    path.moveTo(16, 14);
    path.cubicTo(16, 5, 6, 5, 5, 9);
  }
  p.drawPath(path);
  const QPointF tip = forward ? QPointF(15.5, 11) : QPointF(4.5, 11);
  const double side = forward ? -1 : 1;
  p.drawLine(tip, tip + QPointF(side * 4, -1));
  p.drawLine(tip, tip + QPointF(side * 0.5, -4.5));
}

}  // namespace

QIcon MakeSceneIcon(SceneIcon icon, const QColor& ink) {
  if (icon == SceneIcon::New) return QIcon(":/artwork/new.png");
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  switch (icon) {
    case SceneIcon::Grid:
      for (int i = 3; i <= 17; i += 7) {
        p.drawLine(i, 3, i, 17);
        p.drawLine(3, i, 17, i);
      }
      break;
    case SceneIcon::Snap:
      p.drawLine(3, 10, 17, 10);
      p.drawLine(10, 3, 10, 17);
      p.setBrush(ink);
      p.drawEllipse(QPointF(10, 10), 3, 3);
      break;
    case SceneIcon::Shift:
      p.drawLine(3, 10, 17, 10);
      p.drawLine(10, 3, 10, 17);
      for (const auto& [a, b, c] : {std::tuple(QPointF(3, 10), QPointF(6, 7), QPointF(6, 13)),
                                    std::tuple(QPointF(17, 10), QPointF(14, 7), QPointF(14, 13)),
                                    std::tuple(QPointF(10, 3), QPointF(7, 6), QPointF(13, 6)),
                                    std::tuple(QPointF(10, 17), QPointF(7, 14), QPointF(13, 14))}) {
        p.drawLine(a, b);
        p.drawLine(a, c);
      }
      break;
    case SceneIcon::Place:
      p.drawLine(10, 4, 10, 16);
      p.drawLine(4, 10, 16, 10);
      break;
    case SceneIcon::Select:
      p.setPen(QPen(ink, 1.2, Qt::DashLine));
      p.drawRect(QRectF(3.5, 3.5, 13, 13));
      break;
    case SceneIcon::Remove:
      p.drawLine(5, 5, 15, 15);
      p.drawLine(15, 5, 5, 15);
      break;
    case SceneIcon::Undo: Arrow(p, false); break;
    case SceneIcon::Redo: Arrow(p, true); break;
    case SceneIcon::New: break;
  }
  return QIcon(pixmap);
}

QComboBox* MakeActionList(QWidget* parent, const QString& things, int x, int y, int width) {
  auto* list = new QComboBox(parent);
  list->setGeometry(x, y, width, 25);
  const QColor ink = parent->palette().color(QPalette::WindowText);
  list->addItem(MakeSceneIcon(SceneIcon::Place, ink), "Place " + things);
  list->addItem(MakeSceneIcon(SceneIcon::Select, ink), "Select " + things);
  list->addItem(MakeSceneIcon(SceneIcon::Remove, ink), "Remove " + things);
  return list;
}

}  // namespace vorlane
