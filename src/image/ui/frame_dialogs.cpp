#include "image/ui/frame_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/number_text.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"

namespace vorlane {

const char kRefusedSizeText[] = "Width and height must be between 1 and 16384 pixels.";

namespace {

int Number(const QLineEdit* field) { return LeadingInt(field->text().toStdString()); }

QString SizeText(int width, int height) {
  return QString("(%1 x %2)").arg(width).arg(height);
}

QRadioButton* MakeRadio(QWidget* parent, QButtonGroup* group, const QString& text, int x, int y,
                        int w, int h) {
  auto* radio = new QRadioButton(text, parent);
  radio->setGeometry(x, y, w, h);
  group->addButton(radio);
  // A long choice (large sizes) is set smaller rather than cut off; the
  // round button and its spacing take about 25 pixels.
  QFont font = radio->font();
  while (font.pointSizeF() > 6 &&
         QFontMetrics(font).horizontalAdvance(text) + 25 > w)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  radio->setFont(font);
  return radio;
}

}  // namespace

NewSpriteDialog::NewSpriteDialog(QWidget* parent, Make make)
    : QDialog(parent), make_(std::move(make)) {
  setWindowTitle("Create new sprite");
  setFixedSize(200, 120);
  CentreOnScreen(this, parent);
  MakeLabel(this, "Width", 15, 10, 60, 25);
  width_ = MakeDigitsField(this, "40", 80, 10, 100, 25);
  MakeLabel(this, "Height", 15, 45, 60, 25);
  height_ = MakeDigitsField(this, "40", 80, 45, 100, 25);
  ok_ = MakeButton(this, "OK", 20, 85, 75, 25);
  QPushButton* cancel = MakeButton(this, "Cancel", 105, 85, 75, 25);
  connect(ok_, &QPushButton::clicked, this, &NewSpriteDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NewSpriteDialog::OnOk() {
  if (!make_(Number(width_), Number(height_))) {
    Dialogs().Message(this, "Error", kRefusedSizeText);
    return;
  }
  accept();
}

AddFrameDialog::AddFrameDialog(QWidget* parent, int frame_width, int frame_height, int new_width,
                               int new_height)
    : QDialog(parent) {
  setWindowTitle("Adding new frame");
  setFixedSize(300, 300);
  CentreOnScreen(this, parent);
  MakeLabel(this, "The dimensions of the new image is different.", 10, 10, 280, 20);
  MakeLabel(this, "Please specify an action.", 10, 30, 280, 20);
  auto* fit = new QButtonGroup(this);
  keep_ = MakeRadio(this, fit, "Keep the original image size " + SizeText(frame_width, frame_height),
                    20, 55, 275, 22);
  resize_all_ =
      MakeRadio(this, fit, "Resize all frames to the new image size " + SizeText(new_width, new_height),
                20, 80, 275, 22);
  resize_all_->setChecked(true);
  MakeLabel(this, "Specify the placement of the images.", 10, 120, 280, 20);
  auto* placement = new QButtonGroup(this);
  top_left_ = MakeRadio(this, placement, "Place images at left-top (0, 0)", 20, 145, 275, 22);
  centre_ = MakeRadio(this, placement, "Place images in center", 20, 170, 275, 22);
  stretch_ = MakeRadio(this, placement, "Stretch images", 20, 195, 275, 22);
  stretch_->setChecked(true);
  QPushButton* ok = MakeButton(this, "OK", 65, 260, 80, 25);
  QPushButton* cancel = MakeButton(this, "Cancel", 155, 260, 80, 25);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

FrameFit AddFrameDialog::fit() const {
  return keep_->isChecked() ? FrameFit::Keep : FrameFit::ResizeAll;
}

FramePlacement AddFrameDialog::placement() const {
  if (top_left_->isChecked()) return FramePlacement::TopLeft;
  if (centre_->isChecked()) return FramePlacement::Centre;
  return FramePlacement::Stretch;
}

QRadioButton* AddFrameDialog::choice(const QString& text) const {
  for (QRadioButton* radio : {keep_, resize_all_, top_left_, centre_, stretch_})
    if (radio->text() == text) return radio;
  return nullptr;
}

FrameSizeDialog::FrameSizeDialog(QWidget* parent, bool stretch, int width, int height,
                                 Apply apply)
    : QDialog(parent), width_(width), height_(height), apply_(std::move(apply)) {
  setWindowTitle(stretch ? "Stretch the images" : "Resize canvas");
  const int h = stretch ? 215 : 190;
  setFixedSize(260, h);
  CentreOnScreen(this, parent);
  struct Side {
    const char* name;
    int y;
    int current;
    QLineEdit** field;
  };
  for (const Side& side : {Side{"Width", 10, width, &new_width_},
                           Side{"Height", 75, height, &new_height_}}) {
    MakeLabel(this, side.name, 10, side.y, 100, 20);
    MakeLabel(this, "Current: " + QString::number(side.current), 25, side.y + 20, 120, 20);
    MakeLabel(this, "New:", 150, side.y + 20, 35, 20);
    *side.field = MakeDigitsField(this, QString::number(side.current), 185, side.y + 18, 65, 24);
  }
  keep_aspect_ = MakeCheckBox(this, "Keep aspect ratio", 10, 125, 240, 22);
  keep_aspect_->setChecked(true);
  if (stretch) {
    smooth_ = MakeCheckBox(this, "Smooth (Interpolate pixels)", 10, 148, 240, 22);
    smooth_->setChecked(true);
  }
  ok_ = MakeButton(this, "OK", 45, h - 35, 80, 25);
  QPushButton* cancel = MakeButton(this, "Cancel", 135, h - 35, 80, 25);
  connect(new_width_, &QLineEdit::textChanged, this, [this] { Follow(true); });
  connect(new_height_, &QLineEdit::textChanged, this, [this] { Follow(false); });
  connect(ok_, &QPushButton::clicked, this, &FrameSizeDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrameSizeDialog::Follow(bool width_changed) {
  if (following_ || !keep_aspect_->isChecked()) return;
  following_ = true;
  if (width_changed)
    new_height_->setText(QString::number(KeepAspect(height_, width_, Number(new_width_))));
  else
    new_width_->setText(QString::number(KeepAspect(width_, height_, Number(new_height_))));
  following_ = false;
}

void FrameSizeDialog::OnOk() {
  if (!apply_(Number(new_width_), Number(new_height_), smooth_ && smooth_->isChecked())) {
    Dialogs().Message(this, "Error", kRefusedSizeText);
    return;
  }
  accept();
}

}  // namespace vorlane
