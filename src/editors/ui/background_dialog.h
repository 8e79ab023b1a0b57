// The background's property dialog: its picture, shown with the tile grid
// when it is a tile set, and the six tile set numbers. A newly chosen
// picture changes the background's card and tiles at once; "Done" stores
// the rest (background_edits.h decides both).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "editors/background_edits.h"
#include "editors/ui/resource_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace vorlane {

class Canvas;

class BackgroundDialog : public ResourceDialog {
  Q_OBJECT

 public:
  BackgroundDialog(QWidget* parent, Project& project, int index);

  // The tile set fields, in this order.
  enum Field { kWidth, kHeight, kXOffset, kYOffset, kXSpace, kYSpace, kFieldCount };

  QLabel* file_label() const { return file_label_; }
  QPushButton* select_button() const { return select_; }
  QScrollArea* preview_area() const { return preview_area_; }
  Canvas* canvas() const { return canvas_; }
  QCheckBox* tile_box() const { return tile_box_; }
  QWidget* tile_panel() const { return tile_panel_; }
  QLineEdit* field(Field which) const { return fields_[which]; }
  // The stored file name, or the path of a newly chosen picture.
  const std::string& pending() const { return pending_; }
  // What the dialog holds now, as "Done" would store it.
  BackgroundFields Fields() const;

 protected:
  std::vector<std::string> Done() override;

 private:
  void SelectImage();
  void ShowTilePanel();
  void ShowPicture(Image picture);

  std::string pending_;
  std::shared_ptr<const Image> picture_;
  QLabel* file_label_;
  QPushButton* select_;
  QScrollArea* preview_area_;
  Canvas* canvas_;
  QCheckBox* tile_box_;
  QWidget* tile_panel_;
  std::array<QLineEdit*, kFieldCount> fields_{};
};

// Edits every background named `name` (normally one), as the browser's
// Edit does.
}  // namespace vorlane
