#include "gui/ui/marked_text_delegate.h"

#include <QApplication>
#include <QPainter>

namespace vorlane {

void MarkedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const QVariant start_data = index.data(kMarkStartRole);
  if (!start_data.isValid()) return QStyledItemDelegate::paint(painter, option, index);
  QStyleOptionViewItem plain = option;
  initStyleOption(&plain, index);
  const QString text = plain.text;
  plain.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);

  const int start = std::clamp(start_data.toInt(), 0, static_cast<int>(text.size()));
  const int length =
      std::clamp(index.data(kMarkLengthRole).toInt(), 0, static_cast<int>(text.size()) - start);
  const QRect area =
      style->subElementRect(QStyle::SE_ItemViewItemText, &plain, widget).adjusted(2, 0, -2, 0);
  const bool selected = option.state & QStyle::State_Selected;
  const QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  painter->save();
  painter->setClipRect(area);
  QFont bold = plain.font;
  bold.setBold(true);
  int x = area.left();
  const auto part = [&](const QString& s, const QFont& font, bool marked) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(s);
    if (marked && !selected)
      painter->fillRect(QRect(x, area.top() + 1, width, area.height() - 2), QColor(255, 230, 120));
    painter->setFont(font);
    painter->setPen(ink);
    painter->drawText(QRect(x, area.top(), width + 1, area.height()), Qt::AlignVCenter, s);
    x += width;
  };
  part(text.left(start), plain.font, false);
  part(text.mid(start, length), bold, true);
  part(text.mid(start + length), plain.font, false);
  painter->restore();
}

}  // namespace vorlane
