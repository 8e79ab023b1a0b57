// A panel of picture cards and text labels at fixed positions, drawn by one
// widget: thousands of cards cost no more than the few on screen. Each entry
// has the id its owner gave it; clicks report that id.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <vector>

#include "gui/image.h"

namespace vorlane {

class CardGrid : public QWidget {
  Q_OBJECT
 public:
  explicit CardGrid(QWidget* parent = nullptr);

  void Clear();
  void AddPicture(int id, const QRect& rect, ImageRef picture, const QString& tooltip = {});
  void AddLabel(int id, const QRect& rect, const QString& text);
  // Drawn at (0, 0) under everything else.
  void SetBanner(const QPixmap& banner);
  void SetLabelFont(const QFont& font) { label_font_ = font; }
  void SetBackground(const QColor& color);
  // The card drawn with a selection frame; -1 for none.
  void SetHighlighted(int id);

  int count() const { return static_cast<int>(entries_.size()); }
  // The id of the entry under `point`, -1 for none.
  int IdAt(const QPoint& point) const;
  QRect RectOf(int id) const;  // empty when there is no such entry
  QString TextOf(int id) const;

 signals:
  void Clicked(int id);
  void DoubleClicked(int id);
  void RightClicked(int id, QPoint global_position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Entry {
    int id;
    QRect rect;
    ImageRef picture;  // null for a label
    QString text;      // the label, or the card's tooltip
  };
  const Entry* EntryAt(const QPoint& point) const;
  void SetHovered(int id);

  std::vector<Entry> entries_;
  QPixmap banner_;
  QFont label_font_;
  QColor background_{200, 200, 200};
  int hovered_ = -1;
  int highlighted_ = -1;
};

}  // namespace vorlane
