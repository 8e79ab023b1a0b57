#include "gui/ui/card_grid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <unordered_map>

#include "gui/ui/image_view.h"

namespace vorlane {
namespace {

// Converted pictures, shared by every grid. Each entry keeps its image alive,
// so an address is never reused while it is a key; entries nobody else holds
// any more are dropped when a grid is cleared.
struct PixmapCache {
  std::unordered_map<const Image*, std::pair<ImageRef, QPixmap>> entries;

  const QPixmap& Get(const ImageRef& image) {
    auto found = entries.find(image.get());
    if (found == entries.end())
      found = entries.emplace(image.get(), std::make_pair(image, ToPixmap(*image))).first;
    return found->second.second;
  }

  void DropUnused() {
    for (auto it = entries.begin(); it != entries.end();)
      it = it->second.first.use_count() == 1 ? entries.erase(it) : std::next(it);
  }
};

// Never destroyed: pixmaps must not outlive the application object, and
// static destruction runs after it is gone.
PixmapCache& Cache() {
  static auto* cache = new PixmapCache;
  return *cache;
}

}  // namespace

CardGrid::CardGrid(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CardGrid::Clear() {
  entries_.clear();
  hovered_ = -1;
  highlighted_ = -1;
  Cache().DropUnused();
  update();
}

void CardGrid::AddPicture(int id, const QRect& rect, ImageRef picture, const QString& tooltip) {
  if (!picture || picture->is_null()) picture = ShareImage(Image::Transparent(1, 1));
  entries_.push_back({id, rect, std::move(picture), tooltip});
  update(rect);
}

void CardGrid::AddLabel(int id, const QRect& rect, const QString& text) {
  entries_.push_back({id, rect, nullptr, text});
  update(rect);
}

void CardGrid::SetBanner(const QPixmap& banner) {
  banner_ = banner;
  update();
}

void CardGrid::SetBackground(const QColor& color) {
  background_ = color;
  update();
}

void CardGrid::SetHighlighted(int id) {
  if (highlighted_ == id) return;
  update(RectOf(highlighted_).adjusted(-3, -3, 3, 3));
  highlighted_ = id;
  update(RectOf(highlighted_).adjusted(-3, -3, 3, 3));
}

const CardGrid::Entry* CardGrid::EntryAt(const QPoint& point) const {
  // Later entries lie on top.
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->rect.contains(point)) return &*it;
  return nullptr;
}

int CardGrid::IdAt(const QPoint& point) const {
  const Entry* entry = EntryAt(point);
  return entry ? entry->id : -1;
}

QRect CardGrid::RectOf(int id) const {
  if (id < 0) return {};
  for (const auto& entry : entries_)
    if (entry.id == id) return entry.rect;
  return {};
}

QString CardGrid::TextOf(int id) const {
  for (const auto& entry : entries_)
    if (entry.id == id) return entry.text;
  return {};
}

void CardGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect dirty = event->rect();
  painter.fillRect(dirty, background_);
  if (!banner_.isNull()) painter.drawPixmap(0, 0, banner_);
  painter.setFont(label_font_);
  painter.setPen(QColor(32, 36, 44));
  const QFontMetrics metrics(label_font_);
  for (const auto& entry : entries_) {
    if (!entry.rect.intersects(dirty.adjusted(-3, -3, 3, 3))) continue;
    if (!entry.picture) {
      painter.drawText(entry.rect, Qt::AlignCenter,
                       metrics.elidedText(entry.text, Qt::ElideRight, entry.rect.width()));
      continue;
    }
    painter.drawPixmap(entry.rect.topLeft(), Cache().Get(entry.picture));
    if (entry.id != hovered_ && entry.id != highlighted_) continue;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor frame = palette().highlight().color();
    if (entry.id != highlighted_) frame.setAlpha(140);
    painter.setPen(QPen(frame, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(entry.rect).adjusted(1, 1, -1, -1), 8, 8);
    painter.restore();
  }
}

void CardGrid::SetHovered(int id) {
  if (hovered_ == id) return;
  update(RectOf(hovered_).adjusted(-3, -3, 3, 3));
  hovered_ = id;
  update(RectOf(hovered_).adjusted(-3, -3, 3, 3));
}

void CardGrid::mouseMoveEvent(QMouseEvent* event) {
  const Entry* entry = EntryAt(event->position().toPoint());
  SetHovered(entry && entry->picture ? entry->id : -1);
}

void CardGrid::leaveEvent(QEvent*) { SetHovered(-1); }

void CardGrid::mouseReleaseEvent(QMouseEvent* event) {
  const int id = IdAt(event->position().toPoint());
  if (id < 0) return;
  if (event->button() == Qt::LeftButton) emit Clicked(id);
  if (event->button() == Qt::RightButton) emit RightClicked(id, event->globalPosition().toPoint());
}

void CardGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const int id = IdAt(event->position().toPoint());
  if (id >= 0 && event->button() == Qt::LeftButton) emit DoubleClicked(id);
}

bool CardGrid::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const Entry* entry = EntryAt(help->pos());
    if (entry && entry->picture && !entry->text.isEmpty())
      QToolTip::showText(help->globalPos(), entry->text, this, entry->rect);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

}  // namespace vorlane
