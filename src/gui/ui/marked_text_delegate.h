// Draws an item's text with one span marked (a found name in a line of
// code), the span given by the item's data in kMarkStartRole and
// kMarkLengthRole, in characters of the shown text.
#pragma once

#include <QStyledItemDelegate>

namespace vorlane {

inline constexpr int kMarkStartRole = Qt::UserRole + 20;
inline constexpr int kMarkLengthRole = Qt::UserRole + 21;

class MarkedTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace vorlane
