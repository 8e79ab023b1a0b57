#include "image/ui/effect_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <algorithm>

#include "gui/number_text.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog_service.h"
#include "gui/ui/image_view.h"
#include "image/effects.h"
#include "image/ui/picture_paint.h"

namespace vorlane {
namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kViewSide = 380;
constexpr int kControlsTop = 425;
constexpr int kSliderLeft = 100, kSliderWidth = 440;

QScrollArea* MakeView(QWidget* parent, int x, Canvas** canvas) {
  auto* area = new QScrollArea(parent);
  area->setGeometry(x, 30, kViewSide, kViewSide);
  area->horizontalScrollBar()->setSingleStep(16);
  area->verticalScrollBar()->setSingleStep(16);
  *canvas = new Canvas;
  area->setWidget(*canvas);
  return area;
}

}  // namespace

EffectDialog::EffectDialog(QWidget* parent, EffectKind kind, ImageRef frame)
    : QDialog(parent),
      entry_(EffectEntryFor(kind)),
      frame_(frame ? std::move(frame) : ShareImage()),
      seeds_(std::random_device{}()) {
  setWindowTitle(entry_.title);
  setFixedSize(kWidth, kHeight);
  CentreOnScreen(this, parent);

  MakeLabel(this, "ORIGINAL", 10, 8, 200, 20);
  MakeLabel(this, "MODIFIED", 410, 8, 200, 20);
  original_area_ = MakeView(this, 10, &original_);
  modified_area_ = MakeView(this, 410, &modified_);
  // Both views show the same part of the frame.
  for (auto [from, to] : {std::pair(original_area_, modified_area_),
                          std::pair(modified_area_, original_area_)}) {
    connect(from->horizontalScrollBar(), &QScrollBar::valueChanged, to->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
            &QScrollBar::setValue);
  }
  const Image& picture = *frame_;
  original_->SetPicture(picture.width(), picture.height(),
                        [this](Image& target, int left, int top) {
                          PaintOverCheckerboard(target, left, top, *frame_);
                        });
  modified_->SetPicture(picture.width(), picture.height(),
                        [this](Image& target, int left, int top) {
                          PaintOverCheckerboard(target, left, top, preview_);
                        });

  // Before the first change the noise adds nothing.
  if (entry_.draws_noise)
    plane_.assign(static_cast<size_t>(picture.width()) * picture.height(), 0);
  BuildControls();

  QPushButton* cancel = MakeButton(this, "Cancel", 10, kHeight - 35, 80, 25);
  apply_all_ = MakeCheckBox(this, "Apply to all frames in the sprite", 290, kHeight - 35, 240, 25);
  apply_all_->setChecked(true);
  QPushButton* ok = MakeButton(this, "OK", kWidth - 90, kHeight - 35, 80, 25);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  building_ = false;
  preview_ = Chosen()(*frame_);
}

void EffectDialog::AddNumber(const EffectControl& control, int y) {
  const Image& picture = *frame_;
  const int side = control.range == EffectControl::kFrameWidth    ? picture.width()
                   : control.range == EffectControl::kFrameHeight ? picture.height()
                                                                  : 0;
  const int min = side ? -side : control.min, max = side ? side : control.max;
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setGeometry(kSliderLeft, y, kSliderWidth, 25);
  slider->setRange(min, max);
  slider->setValue(control.value);
  slider->setPageStep(std::max(1, (max - min) / 20));
  MakeLabel(this, control.label, 10, y, kSliderLeft - 15, 25);
  QLineEdit* field =
      MakeTextField(this, QString::number(control.value), kSliderLeft + kSliderWidth + 10, y, 60, 25);
  Number& number = numbers_.emplace_back(Number{control.label, slider, field});
  connect(slider, &QSlider::valueChanged, this, [this, &number] { SliderMoved(number); });
  connect(field, &QLineEdit::textChanged, this, [this, &number] { FieldEdited(number); });
}

void EffectDialog::AddColourPicker(int y) {
  MakeLabel(this, "Color", 10, y, kSliderLeft - 15, 25);
  colour_box_ = MakeLabel(this, "", kSliderLeft, y, 60, 25);
  colour_box_->setFrameStyle(QFrame::Box | QFrame::Plain);
  colour_box_->setAutoFillBackground(true);
  QPushButton* pick = MakeButton(this, "...", kSliderLeft + 70, y, 30, 25);
  connect(pick, &QPushButton::clicked, this, &EffectDialog::PickEraseColor);
  erase_color_ = Color{0, 0, 0, 255};
  QPalette palette = colour_box_->palette();
  palette.setColor(QPalette::Window, Qt::black);
  colour_box_->setPalette(palette);
}

void EffectDialog::BuildControls() {
  QButtonGroup* group = nullptr;
  for (const EffectControl& control : entry_.controls) {
    const int y = kControlsTop + control.top;
    switch (control.kind) {
      case EffectControl::kNumber: AddNumber(control, y); break;
      case EffectControl::kColour: AddColourPicker(y); break;
      case EffectControl::kCheck: {
        QCheckBox* box = MakeCheckBox(this, control.label, control.x, y, control.width, 25);
        checks_.push_back(box);
        connect(box, &QCheckBox::toggled, this, &EffectDialog::Recompute);
        break;
      }
      case EffectControl::kChoice: {
        if (!group) group = new QButtonGroup(this);
        auto* radio = new QRadioButton(control.label, this);
        radio->setGeometry(control.x, y, control.width, 25);
        radio->setChecked(choices_.empty());  // the first is chosen
        group->addButton(radio);
        choices_.push_back(radio);
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
          if (on) Recompute();  // once per change, not for the choice left
        });
        break;
      }
      case EffectControl::kPreset: {
        QPushButton* preset = MakeButton(this, control.label, control.x, y, control.width, 25);
        connect(preset, &QPushButton::clicked, this, [this, percent = control.value] {
          for (Number& number : numbers_) number.slider->setValue(percent);
        });
        break;
      }
      case EffectControl::kHueScale: {
        // The scale lies under the slider's groove, the handle's half width
        // in from each end, so the handle points at its colour.
        const int inset = 6, width = kSliderWidth - 2 * inset;
        MakePicture(this, kSliderLeft + inset, y, width, 18)
            ->SetPicture(ToPixmap(HueScale(width, 18)));
        break;
      }
    }
  }
  if (entry_.locks_numbers) checks_.front()->setChecked(true);
  if (const char* freeing = entry_.frees_last_number) {
    // The last number is used only while its choice is chosen.
    QRadioButton* free = choice(freeing);
    const Number& number = numbers_.back();
    const auto follow = [free, &number] {
      number.slider->setEnabled(free->isChecked());
      number.field->setEnabled(free->isChecked());
    };
    connect(free, &QRadioButton::toggled, this, follow);
    follow();
  }
}

void EffectDialog::SliderMoved(Number& number) {
  if (syncing_) return;
  syncing_ = true;
  number.field->setText(QString::number(number.slider->value()));
  syncing_ = false;
  NumberChanged(number);
}

void EffectDialog::FieldEdited(Number& number) {
  if (syncing_) return;
  const int typed = LeadingInt(number.field->text().toStdString());
  const int value = std::clamp(typed, number.slider->minimum(), number.slider->maximum());
  syncing_ = true;
  if (value != typed) number.field->setText(QString::number(value));
  number.slider->setValue(value);
  syncing_ = false;
  NumberChanged(number);
}

void EffectDialog::NumberChanged(const Number& number) {
  // "Lock" keeps both scales equal: the other one follows, and its own
  // change recomputes the preview.
  if (entry_.locks_numbers && checks_.front()->isChecked()) {
    for (Number& other : numbers_)
      if (&other != &number && other.slider->value() != number.slider->value()) {
        other.slider->setValue(number.slider->value());
        return;
      }
  }
  Recompute();
}

EffectValues EffectDialog::Values() const {
  EffectValues values{.colour = erase_color_, .noise = plane_};
  for (const Number& number : numbers_) values.numbers.push_back(number.slider->value());
  for (const QCheckBox* box : checks_) values.checks.push_back(box->isChecked());
  for (const QRadioButton* radio : choices_)
    if (radio->isChecked()) values.choice = radio->text().toStdString();
  return values;
}

void EffectDialog::PickEraseColor() {
  Color chosen = erase_color_;
  if (!Dialogs().ChooseColor(this, erase_color_, &chosen)) return;
  erase_color_ = chosen;
  QPalette palette = colour_box_->palette();
  palette.setColor(QPalette::Window, QColor(chosen.r, chosen.g, chosen.b));
  colour_box_->setPalette(palette);
  Recompute();
}

EffectDialog::Effect EffectDialog::Chosen() const {
  return [apply = entry_.apply, values = Values()](const Image& image) {
    return apply(image, values);
  };
}

void EffectDialog::Recompute() {
  if (building_) return;
  // Every change draws new noise; OK applies the noise last shown.
  if (entry_.draws_noise)
    plane_ = MakeNoisePlane(frame_->width(), frame_->height(), numbers_.front().slider->value(),
                            seeds_());
  preview_ = Chosen()(*frame_);
  modified_->update();
}

bool EffectDialog::apply_all() const { return apply_all_->isChecked(); }

QSlider* EffectDialog::slider(const QString& label) const {
  for (const Number& number : numbers_)
    if (number.label == label) return number.slider;
  return nullptr;
}

QLineEdit* EffectDialog::field(const QString& label) const {
  for (const Number& number : numbers_)
    if (number.label == label) return number.field;
  return nullptr;
}

QCheckBox* EffectDialog::check(const QString& text) const {
  for (QCheckBox* box : checks_)
    if (box->text() == text) return box;
  if (apply_all_ && apply_all_->text() == text) return apply_all_;
  return nullptr;
}

QRadioButton* EffectDialog::choice(const QString& text) const {
  for (QRadioButton* radio : choices_)
    if (radio->text() == text) return radio;
  return nullptr;
}

}  // namespace vorlane
