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
constexpr int kRowStep = 35;
constexpr int kSliderLeft = 100;

const char* const kSwapChoices[] = {"RGB ==> RBG", "RGB ==> GRB", "RGB ==> GBR", "RGB ==> BRG",
                                    "RGB ==> BGR"};
const char* const kRotateChoices[] = {"0", "90", "180", "270", "Free"};

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

const char* EffectTitle(EffectKind kind) {
  switch (kind) {
    case EffectKind::Grayscale: return "Convert to grayscale";
    case EffectKind::Invert: return "Invert";
    case EffectKind::MakeOpaque: return "Make opaque";
    case EffectKind::Brightness: return "Brightness";
    case EffectKind::ColorBalance: return "Color balance";
    case EffectKind::Colorize: return "Colorize";
    case EffectKind::SwapChannels: return "Swap RGB channels";
    case EffectKind::Opacity: return "Opacity";
    case EffectKind::Posterize: return "Posterize";
    case EffectKind::Noise: return "Noise";
    case EffectKind::EraseColor: return "Erase a color";
    case EffectKind::Mirror: return "Mirror the images";
    case EffectKind::Rotate: return "Rotate the images";
    case EffectKind::Scale: return "Scale the images";
    case EffectKind::Shift: return "Shift the images";
  }
  return "";
}

EffectDialog::EffectDialog(QWidget* parent, EffectKind kind, ImageRef frame)
    : QDialog(parent),
      kind_(kind),
      frame_(frame ? std::move(frame) : ShareImage()),
      seeds_(std::random_device{}()) {
  setWindowTitle(EffectTitle(kind));
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
  if (kind_ == EffectKind::Noise)
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

EffectDialog::Number& EffectDialog::AddNumber(const QString& label, int y, int min, int max,
                                              int value, int width) {
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setGeometry(kSliderLeft, y, width, 25);
  slider->setRange(min, max);
  slider->setValue(value);
  slider->setPageStep(std::max(1, (max - min) / 20));
  MakeLabel(this, label, 10, y, kSliderLeft - 15, 25);
  QLineEdit* field = MakeTextField(this, QString::number(value), kSliderLeft + width + 10, y, 60, 25);
  Number& number = numbers_.emplace_back(Number{label, slider, field});
  connect(slider, &QSlider::valueChanged, this, [this, &number] { SliderMoved(number); });
  connect(field, &QLineEdit::textChanged, this, [this, &number] { FieldEdited(number); });
  return number;
}

QCheckBox* EffectDialog::AddCheck(const QString& text, int x, int y, int w) {
  QCheckBox* box = MakeCheckBox(this, text, x, y, w, 25);
  checks_.push_back(box);
  connect(box, &QCheckBox::toggled, this, &EffectDialog::Recompute);
  return box;
}

QRadioButton* EffectDialog::AddChoice(const QString& text, int x, int y, int w) {
  auto* radio = new QRadioButton(text, this);
  radio->setGeometry(x, y, w, 25);
  radio->setChecked(choices_.empty());  // the first is chosen
  choices_.push_back(radio);
  connect(radio, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Recompute();  // once per change, not for the choice left
  });
  return radio;
}

void EffectDialog::BuildControls() {
  const int y = kControlsTop;
  const Image& picture = *frame_;
  switch (kind_) {
    case EffectKind::Grayscale:
    case EffectKind::Invert:
    case EffectKind::MakeOpaque:
      break;
    case EffectKind::Brightness: AddNumber("Level", y, -255, 255, 0); break;
    case EffectKind::ColorBalance:
      AddNumber("Red", y, -255, 255, 0);
      AddNumber("Green", y + kRowStep, -255, 255, 0);
      AddNumber("Blue", y + 2 * kRowStep, -255, 255, 0);
      break;
    case EffectKind::Colorize: {
      AddNumber("Hue", y, 0, 359, 0);
      // The scale lies under the slider's groove, the handle's half width in
      // from each end, so the handle points at its colour.
      const int inset = 6;
      PictureControl* scale = MakePicture(this, kSliderLeft + inset, y + 28, 440 - 2 * inset, 18);
      scale->SetPicture(ToPixmap(HueScale(440 - 2 * inset, 18)));
      break;
    }
    case EffectKind::SwapChannels: {
      auto* group = new QButtonGroup(this);
      for (int i = 0; i < 5; ++i) group->addButton(AddChoice(kSwapChoices[i], 10 + i * 130, y, 125));
      break;
    }
    case EffectKind::Opacity: AddNumber("Percent", y, 0, 100, 100); break;
    case EffectKind::Posterize: AddNumber("Level", y, 2, 120, 50); break;
    case EffectKind::Noise: AddNumber("Level", y, 0, 100, 0); break;
    case EffectKind::EraseColor: {
      AddNumber("Tolerance", y, 0, 255, 0);
      MakeLabel(this, "Color", 10, y + kRowStep, kSliderLeft - 15, 25);
      colour_box_ = MakeLabel(this, "", kSliderLeft, y + kRowStep, 60, 25);
      colour_box_->setFrameStyle(QFrame::Box | QFrame::Plain);
      colour_box_->setAutoFillBackground(true);
      QPushButton* pick = MakeButton(this, "...", kSliderLeft + 70, y + kRowStep, 30, 25);
      connect(pick, &QPushButton::clicked, this, &EffectDialog::PickEraseColor);
      erase_color_ = Color{0, 0, 0, 255};
      QPalette palette = colour_box_->palette();
      palette.setColor(QPalette::Window, Qt::black);
      colour_box_->setPalette(palette);
      break;
    }
    case EffectKind::Mirror:
      AddCheck("Mirror horizontally", 10, y, 200);
      AddCheck("Mirror vertically", 10, y + kRowStep, 200);
      break;
    case EffectKind::Rotate: {
      auto* group = new QButtonGroup(this);
      for (int i = 0; i < 5; ++i) group->addButton(AddChoice(kRotateChoices[i], 10 + i * 80, y, 75));
      Number& angle = AddNumber("Angle", y + kRowStep, 0, 359, 0);
      const auto follow = [this, &angle] {
        const bool free = choices_.back()->isChecked();
        angle.slider->setEnabled(free);
        angle.field->setEnabled(free);
      };
      connect(choices_.back(), &QRadioButton::toggled, this, follow);
      follow();
      break;
    }
    case EffectKind::Scale: {
      AddNumber("Horizontal", y, 1, 400, 100);
      AddNumber("Vertical", y + kRowStep, 1, 400, 100);
      AddCheck("Lock", 625, y + kRowStep / 2, 100)->setChecked(true);
      const std::pair<const char*, int> presets[] = {{"1/4", 25}, {"1/2", 50}, {"2x", 200},
                                                     {"4x", 400}};
      for (int i = 0; i < 4; ++i) {
        QPushButton* preset =
            MakeButton(this, presets[i].first, kSliderLeft + i * 70, y + 2 * kRowStep + 5, 60, 25);
        const int percent = presets[i].second;
        connect(preset, &QPushButton::clicked, this, [this, percent] {
          for (Number& number : numbers_) number.slider->setValue(percent);
        });
      }
      break;
    }
    case EffectKind::Shift:
      AddNumber("Horizontal", y, -picture.width(), picture.width(), 0);
      AddCheck("Wrap horizontally", 625, y, 165);
      AddNumber("Vertical", y + kRowStep, -picture.height(), picture.height(), 0);
      AddCheck("Wrap vertically", 625, y + kRowStep, 165);
      break;
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
  if (kind_ == EffectKind::Scale && checks_.front()->isChecked()) {
    for (Number& other : numbers_)
      if (&other != &number && other.slider->value() != number.slider->value()) {
        other.slider->setValue(number.slider->value());
        return;
      }
  }
  Recompute();
}

int EffectDialog::Value(const QString& label) const {
  const QSlider* found = slider(label);
  return found ? found->value() : 0;
}

QString EffectDialog::ChosenText() const {
  for (const QRadioButton* radio : choices_)
    if (radio->isChecked()) return radio->text();
  return "";
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
  switch (kind_) {
    case EffectKind::Grayscale: return [](const Image& image) { return Grayscale(image); };
    case EffectKind::Invert: return [](const Image& image) { return Invert(image); };
    case EffectKind::MakeOpaque: return [](const Image& image) { return MakeOpaque(image); };
    case EffectKind::Brightness:
      return [level = Value("Level")](const Image& image) { return Brightness(image, level); };
    case EffectKind::ColorBalance:
      return [r = Value("Red"), g = Value("Green"), b = Value("Blue")](const Image& image) {
        return ColorBalance(image, r, g, b);
      };
    case EffectKind::Colorize:
      return [hue = Value("Hue")](const Image& image) { return Colorize(image, hue); };
    case EffectKind::SwapChannels:
      return [order = ChosenText().section("==> ", 1).toStdString()](const Image& image) {
        return SwapChannels(image, order);
      };
    case EffectKind::Opacity:
      return [percent = Value("Percent")](const Image& image) { return Opacity(image, percent); };
    case EffectKind::Posterize:
      return [level = Value("Level")](const Image& image) { return Posterize(image, level); };
    case EffectKind::Noise:
      return [plane = plane_](const Image& image) { return Noise(image, plane); };
    case EffectKind::EraseColor:
      return [colour = erase_color_, tolerance = Value("Tolerance")](const Image& image) {
        return EraseColor(image, colour, tolerance);
      };
    case EffectKind::Mirror:
      return [h = checks_[0]->isChecked(), v = checks_[1]->isChecked()](const Image& image) {
        return Mirror(image, h, v);
      };
    case EffectKind::Rotate: {
      const QString chosen = ChosenText();
      const int degrees = chosen == "Free" ? Value("Angle") : chosen.toInt();
      return [degrees](const Image& image) { return RotateFrame(image, degrees); };
    }
    case EffectKind::Scale:
      return [h = Value("Horizontal"), v = Value("Vertical")](const Image& image) {
        return ScaleFrame(image, h, v);
      };
    case EffectKind::Shift:
      return [dx = Value("Horizontal"), dy = Value("Vertical"), wx = checks_[0]->isChecked(),
              wy = checks_[1]->isChecked()](const Image& image) {
        return ShiftFrame(image, dx, dy, wx, wy);
      };
  }
  return [](const Image& image) { return image; };
}

void EffectDialog::Recompute() {
  if (building_) return;
  // Every change draws new noise; OK applies the noise last shown.
  if (kind_ == EffectKind::Noise)
    plane_ = MakeNoisePlane(frame_->width(), frame_->height(), Value("Level"), seeds_());
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
