#include "gui/ui/picture_list.h"

#include <QAbstractItemView>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace vorlane {

PictureList::PictureList(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(this, &QComboBox::currentTextChanged, this, &QWidget::setToolTip);
}

void PictureList::Fill(const std::vector<Entry>& entries, const QString& selected,
                       const QIcon& stale_icon) {
  auto* items = new QStandardItemModel(this);
  int found = -1;
  for (const Entry& entry : entries) {
    if (found < 0 && entry.text == selected) found = items->rowCount();
    items->appendRow(new QStandardItem(entry.icon, entry.text));
  }
  if (found < 0) {
    found = items->rowCount();
    items->appendRow(new QStandardItem(stale_icon, selected));
  }
  setModel(items);  // the combo box deletes a model it owned
  setCurrentIndex(found);
  setToolTip(currentText());
}

void PictureList::showPopup() {
  view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
  // An entry wider than the screen is still cut (in the middle): its
  // tooltip shows it whole.
  for (int i = 0; i < count(); ++i)
    if (itemData(i, Qt::ToolTipRole).isNull()) setItemData(i, itemText(i), Qt::ToolTipRole);
  QComboBox::showPopup();
}

void PictureList::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  const int icon_room = option.currentIcon.isNull() ? 0 : option.iconSize.width() + 4;
  option.currentText =
      fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width() - icon_room);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace vorlane
