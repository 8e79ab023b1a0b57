// "Importing image strips": the strip at its own size with the cell grid
// the numbers give drawn over it; " Import! " accepts when both numbers are
// at least 1.
#pragma once

#include <QDialog>

#include "gui/image.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlane {

class Canvas;

class StripImportDialog : public QDialog {
  Q_OBJECT
 public:
  StripImportDialog(QWidget* parent, ImageRef strip);

  int columns() const;
  int rows() const;
  QLineEdit* columns_field() const { return columns_; }
  QLineEdit* rows_field() const { return rows_; }
  QPushButton* import_button() const { return import_; }
  Canvas* canvas() const { return canvas_; }

 private:
  void OnImport();
  ImageRef strip_;
  QLineEdit* columns_;
  QLineEdit* rows_;
  QPushButton* import_;
  Canvas* canvas_;
};

// Draws the lines between the cells of a columns x rows grid over the part
// of a w x h strip whose top-left pixel is (left, top); nothing when either
// number is below 1.
void PaintCellGrid(Image& target, int left, int top, int width, int height, int columns,
                   int rows);

}  // namespace vorlane
