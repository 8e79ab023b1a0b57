// A list of names, with or without pictures, in a narrow box of a fixed
// layout: a long name ends in "..." there and stands whole in the tooltip;
// the open list is as wide as its longest entry, measured only when it
// opens, so that thousands of entries cost nothing until then, and each
// entry has its name as tooltip. Entries are filled in one go.
#pragma once

#include <QComboBox>
#include <QIcon>
#include <vector>

namespace vorlane {

class PictureList : public QComboBox {
 public:
  explicit PictureList(QWidget* parent);

  struct Entry {
    QIcon icon;
    QString text;
  };
  // Replaces the entries and selects the one reading `selected`; a
  // `selected` that is not among them is added, so it is kept as it is.
  void Fill(const std::vector<Entry>& entries, const QString& selected,
            const QIcon& stale_icon = {});

  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace vorlane
