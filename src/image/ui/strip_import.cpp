// The strip windows: exporting a sprite as one PNG strip, and cutting a
// strip into a sprite's frames.
#include "image/ui/strip_import.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "gui/number_text.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "image/frame_edits.h"
#include "image/ui/image_editor.h"
#include "image/ui/picture_paint.h"
#include "project/project_file.h"

namespace vorlane {
namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr Color kGridLine{255, 0, 255, 200};

const char kStripFilter[] =
    "Image strips(jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files(*.jpg)|*.jpg|BMP files(*.bmp)|*.bmp|"
    "PNG files(*.png)|*.png";

}  // namespace

void PaintCellGrid(Image& target, int left, int top, int width, int height, int columns, int rows) {
  if (columns < 1 || rows < 1) return;
  const int cell_w = width / columns, cell_h = height / rows;
  if (cell_w < 1 || cell_h < 1) return;
  // One line on the left edge of each cell past the first and one under the
  // last cell; only the ones in sight are drawn.
  const int tw = target.width(), th = target.height();
  const int first_column = std::max(1, left / cell_w);
  for (long long c = first_column; c <= columns && c * cell_w < left + tw + 1; ++c) {
    const int x = static_cast<int>(c * cell_w - left) - (c == columns ? 1 : 0);
    target.FillRect(x, -top, 1, rows * cell_h, kGridLine, DrawMode::Blend);
  }
  const int first_row = std::max(1, top / cell_h);
  for (long long r = first_row; r <= rows && r * cell_h < top + th + 1; ++r) {
    const int y = static_cast<int>(r * cell_h - top) - (r == rows ? 1 : 0);
    target.FillRect(-left, y, columns * cell_w, 1, kGridLine, DrawMode::Blend);
  }
}

StripImportDialog::StripImportDialog(QWidget* parent, ImageRef strip)
    : QDialog(parent), strip_(std::move(strip)) {
  setWindowTitle("Importing image strips");
  setFixedSize(kWidth, kHeight);
  CentreOnScreen(this, parent);
  MakeLabel(this, "Columns", 10, 10, 55, 25);
  columns_ = MakeDigitsField(this, "1", 70, 10, 50, 25);
  MakeLabel(this, "Rows", 140, 10, 40, 25);
  rows_ = MakeDigitsField(this, "1", 185, 10, 50, 25);
  MakeLabel(this, QString("Dimensions: %1 x %2 pixels").arg(strip_->width()).arg(strip_->height()),
            260, 10, 400, 25);

  auto* area = new QScrollArea(this);
  area->setGeometry(10, 40, 780, 520);
  area->horizontalScrollBar()->setSingleStep(16);
  area->verticalScrollBar()->setSingleStep(16);
  canvas_ = new Canvas;
  canvas_->SetWheelZoom(1, 16);
  area->setWidget(canvas_);
  canvas_->SetPicture(strip_->width(), strip_->height(), [this](Image& target, int left, int top) {
    PaintOverCheckerboard(target, left, top, *strip_);
    PaintCellGrid(target, left, top, strip_->width(), strip_->height(), columns(), rows());
  });
  // The grid follows the numbers as they are typed.
  for (QLineEdit* field : {columns_, rows_})
    connect(field, &QLineEdit::textChanged, canvas_, [this] { canvas_->update(); });

  import_ = MakeButton(this, " Import! ", kWidth - 90, kHeight - 33, 80, 25);
  connect(import_, &QPushButton::clicked, this, &StripImportDialog::OnImport);
}

int StripImportDialog::columns() const { return LeadingInt(columns_->text().toStdString()); }
int StripImportDialog::rows() const { return LeadingInt(rows_->text().toStdString()); }

void StripImportDialog::OnImport() {
  // More cells than pixels would make empty frames, as many as typed.
  if (columns() <= 0 || rows() <= 0 || columns() > strip_->width() || rows() > strip_->height()) {
    Dialogs().Message(this, "Error", "Invalid column or row number");
    return;
  }
  accept();
}

bool ImportImageStrip(QWidget* parent, Project& project, int sprite_index) {
  if (sprite_index < 0 || sprite_index >= static_cast<int>(project.sprites.size())) return false;
  const std::string path =
      Dialogs().OpenFile(parent, {.title = "Select an image strip", .filter = kStripFilter});
  if (path.empty()) return false;
  std::string error;
  // A strip may be wider than any one frame, but not larger than a whole
  // project's pictures may be.
  const PictureLimits limits;
  Image strip = LoadPicture(path, kMaxFrameSide, &error);
  if (!strip.is_null() &&
      static_cast<long long>(strip.width()) * strip.height() > limits.max_total_pixels) {
    error = "The image \"" + path + "\" could not be loaded: it has more than " +
            std::to_string(limits.max_total_pixels) + " pixels.";
    strip = Image();
  }
  if (strip.is_null()) {
    Dialogs().Message(parent, "Error", error);
    return false;
  }
  const ImageRef shared = ShareImage(std::move(strip));
  StripImportDialog dialog(parent, shared);
  if (Dialogs().Exec(dialog) != QDialog::Accepted) return false;
  return ImportStrip(project, sprite_index, *shared, dialog.columns(), dialog.rows());
}

bool SaveSpriteStrip(QWidget* parent, const Project& project, const std::string& sprite) {
  const Image strip = FrameStrip(project, sprite);
  if (strip.is_null()) return false;
  const std::string suggested =
      sprite + "_strip" + std::to_string(SpriteFrames(project, sprite).size());
  const std::string chosen =
      Dialogs().SaveFile(parent, {.title = "Save sprite as PNG strip",
                                  .filter = "PNG Images (*.png)|*.png",
                                  .folder = QDir::currentPath().toStdString(),
                                  .file = suggested});
  if (chosen.empty()) return false;
  // The requester may or may not have put the extension on already.
  const bool has_png =
      chosen.size() >= 4 && QString::fromStdString(chosen.substr(chosen.size() - 4))
                                    .compare(".png", Qt::CaseInsensitive) == 0;
  const std::string path = has_png ? chosen : chosen + ".png";
  std::string error;
  if (!SavePng(strip, path, &error)) {
    Dialogs().Message(parent, "Error",
                      "The strip could not be saved as \"" + path + "\". " + error);
    return false;
  }
  return true;
}

}  // namespace vorlane
