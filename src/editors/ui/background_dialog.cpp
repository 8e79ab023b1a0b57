#include "editors/ui/background_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "editors/pending_file.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/qt_text.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

constexpr int kDialogWidth = 800, kDialogHeight = 600;
// The tile panel sits out of sight while the background is no tile set.
constexpr int kPanelShown = 10, kPanelHidden = 10000;

const char kImageFilter[] =
    "Image files(jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files(*.jpg)|*.jpg|BMP "
    "files(*.bmp)|*.bmp|PNG files(*.png)|*.png";

QString FileText(const std::string& pending) { return Q("File: " + BareName(pending)); }

}  // namespace

BackgroundDialog::BackgroundDialog(QWidget* parent, Project& project, int index)
    : ResourceDialog(parent, project, ResourceKind::Background, index, "Background properties - ",
                     kDialogWidth, kDialogHeight, 100) {
  // The narrow column beside the preview holds "Use as tile set" and the
  // tile panel's labels in front of their fields; this size fits them.
  setFont(QFont("Arial", 8));
  const Background& background = project.backgrounds[index];
  pending_ = background.file;
  file_label_ = MakeLabel(this, FileText(pending_), 10, 45, 100, 25);
  select_ = MakeButton(this, "Select image...", 10, 70, 100, 25);

  preview_area_ = new QScrollArea(this);
  preview_area_->setGeometry(120, 10, 670, 540);
  preview_area_->horizontalScrollBar()->setSingleStep(16);
  preview_area_->verticalScrollBar()->setSingleStep(16);
  canvas_ = new Canvas;
  canvas_->SetWheelZoom(1, 16);
  preview_area_->setWidget(canvas_);

  tile_box_ = MakeCheckBox(this, "Use as tile set", 10, 105, 100, 25);
  tile_box_->setChecked(background.tile != 0);
  tile_panel_ = new QWidget(this);
  struct Row {
    const char* label;
    int y;
    int value;
  };
  const Row rows[kFieldCount] = {
      {"Width", 10, background.tilewidth},       {"Height", 40, background.tileheight},
      {"X offset", 100, background.tilexoffset}, {"Y offset", 140, background.tileyoffset},
      {"X space", 200, background.tilexspace},   {"Y space", 240, background.tileyspace}};
  for (int i = 0; i < kFieldCount; ++i) {
    MakeLabel(tile_panel_, rows[i].label, 10, rows[i].y + 5, 50, 25);
    fields_[i] =
        MakeDigitsField(tile_panel_, QString::number(rows[i].value), 50, rows[i].y, 30, 25);
    // The grid follows the numbers as they are typed.
    connect(fields_[i], &QLineEdit::textChanged, canvas_, [this] { canvas_->update(); });
  }
  ShowTilePanel();
  connect(tile_box_, &QCheckBox::toggled, this, [this] {
    ShowTilePanel();
    canvas_->update();
  });
  connect(select_, &QPushButton::clicked, this, &BackgroundDialog::SelectImage);

  // A picture that cannot be loaded leaves the preview empty; the user
  // picks another.
  Image picture;
  if (!background.file.empty() && IsPlainFileName(background.file)) {
    std::string ignored;
    picture = LoadBackgroundPicture(project.tempfolder + "/" + background.file, &ignored);
  }
  ShowPicture(std::move(picture));
}

BackgroundFields BackgroundDialog::Fields() const {
  const auto text = [this](Field which) { return fields_[which]->text().toStdString(); };
  return {name_text(),    pending_,       tile_box_->isChecked(), text(kWidth), text(kHeight),
          text(kXOffset), text(kYOffset), text(kXSpace),          text(kYSpace)};
}

std::vector<std::string> BackgroundDialog::Done() {
  return StoreBackground(project_, index_, Fields());
}

void BackgroundDialog::ShowTilePanel() {
  tile_panel_->setGeometry(tile_box_->isChecked() ? kPanelShown : kPanelHidden, 130, 100, 280);
}

// The canvas asks for the pixels it shows only when it is repainted: after
// a new picture, a typed number or the check box, never on a timer.
void BackgroundDialog::ShowPicture(Image picture) {
  picture_ = std::make_shared<const Image>(std::move(picture));
  canvas_->SetPicture(picture_->width(), picture_->height(),
                      [this](Image& target, int left, int top) {
                        const TileGrid grid = ReadTileGrid(Fields());
                        PaintBackgroundPreview(target, left, top, *picture_,
                                               tile_box_->isChecked() ? &grid : nullptr);
                      });
}

void BackgroundDialog::SelectImage() {
  const std::string path =
      Dialogs().OpenFile(this, {.title = "Select an image", .filter = kImageFilter});
  if (path.empty()) return;
  std::string error;
  Image picture = LoadBackgroundPicture(path, &error);
  if (picture.is_null()) {
    Dialogs().Message(this, "Error", error);
    return;
  }
  // The card and the tiles change now; "Done" copies the file.
  pending_ = path;
  file_label_->setText(FileText(pending_));
  ApplyBackgroundPicture(project_, index_, picture, BareName(pending_));
  ShowPicture(std::move(picture));
}

void EditBackground(QWidget* parent, Project& project, const std::string& name) {
  EditEveryNamed(project, ResourceKind::Background, name, [&](int index) {
    return std::make_unique<BackgroundDialog>(parent, project, index);
  });
}

}  // namespace vorlane
