#include "image/ui/effect_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "gui/ui/controls.h"
#include "image/effects.h"
#include "image/test_pictures.h"
#include "image/ui/window_check.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class EffectDialogTest : public test::DialogTest {
 protected:
  // A 6 x 4 frame, its last column see-through.
  ImageRef frame_ = [] {
    Image picture = test::Numbered(6, 4, true);
    for (int y = 0; y < 4; ++y) picture.Plot(5, y, test::Rgba(9, 9, 9, 0));
    return ShareImage(picture);
  }();
};

// Each effect's window: its controls set as a user would (a number typed,
// a box or a choice clicked), the preview and what OK applies are the
// effect with those values; nothing is clipped.
TEST_F(EffectDialogTest, EachEffectsControlsReachItsFunction) {
  using K = EffectKind;
  const Image& f = *frame_;
  const struct {
    K kind;
    std::vector<std::pair<QString, QString>> set;  // a field and its text, or a box or choice
    Image expected;
  } cases[] = {
      // clang-format off
      {K::Grayscale, {}, Grayscale(f)}, {K::Invert, {}, Invert(f)}, {K::MakeOpaque, {}, MakeOpaque(f)},
      {K::Brightness, {{"Level", "-300"}}, Brightness(f, -255)},
      {K::ColorBalance, {{"Red", "30"}, {"Green", "7"}, {"Blue", "-40"}}, ColorBalance(f, 30, 7, -40)},
      {K::Colorize, {{"Hue", "400"}}, Colorize(f, 359)},
      {K::SwapChannels, {}, SwapChannels(f, "RBG")},
      {K::SwapChannels, {{"RGB ==> BGR", ""}}, SwapChannels(f, "BGR")},
      {K::Opacity, {{"Percent", "35"}}, Opacity(f, 35)},
      {K::Posterize, {{"Level", "x"}}, Posterize(f, 2)},  // below the range: its least
      {K::Mirror, {{"Mirror vertically", ""}}, Mirror(f, false, true)},
      {K::Rotate, {{"90", ""}}, RotateFrame(f, 90)},
      {K::Rotate, {{"Angle", "33"}, {"Free", ""}}, RotateFrame(f, 33)},
      {K::Scale, {{"Horizontal", "150"}}, ScaleFrame(f, 150, 150)},  // locked: both follow
      {K::Shift, {{"Horizontal", "9"}, {"Vertical", "-1"}, {"Wrap vertically", ""}}, ShiftFrame(f, 6, -1, false, true)},
      // clang-format on
  };
  for (const auto& c : cases) {
    EffectDialog dialog(nullptr, c.kind, frame_);
    EXPECT_EQ(dialog.windowTitle(), EffectTitle(c.kind));
    for (const auto& [control, text] : c.set) {
      if (QLineEdit* field = dialog.field(control)) field->setText(text);
      if (QCheckBox* box = dialog.check(control)) box->click();
      if (QRadioButton* choice = dialog.choice(control)) choice->click();
    }
    EXPECT_EQ(dialog.preview(), c.expected) << EffectTitle(c.kind);
    EXPECT_EQ(dialog.Chosen()(f), c.expected) << EffectTitle(c.kind);
    EXPECT_TRUE(dialog.apply_all());
    test::ExpectNothingClipped(dialog, EffectTitle(c.kind));
  }
}

// Slider and field stay in step; a typed number is clamped to the range
// (text that is no number reads 0); Lock keeps both scales equal and the
// presets set both.
TEST_F(EffectDialogTest, SlidersFieldsLockAndPresets) {
  EffectDialog opacity(nullptr, EffectKind::Opacity, frame_);
  QLineEdit* field = opacity.field("Percent");
  EXPECT_EQ(field->text(), "100");
  for (auto [typed, shown, value] : {std::tuple("300", "100", 100), std::tuple("-7", "0", 0),
                                     std::tuple("35", "35", 35), std::tuple("abc", "abc", 0)}) {
    field->setText(typed);
    EXPECT_EQ(field->text(), shown);
    EXPECT_EQ(opacity.slider("Percent")->value(), value);
  }
  opacity.slider("Percent")->setValue(60);
  EXPECT_EQ(field->text(), "60");
  EffectDialog rotate(nullptr, EffectKind::Rotate, frame_);
  EXPECT_FALSE(rotate.slider("Angle")->isEnabled());  // until "Free" is chosen
  rotate.choice("Free")->click();
  EXPECT_TRUE(rotate.slider("Angle")->isEnabled());

  EffectDialog scale(nullptr, EffectKind::Scale, frame_);
  scale.check("Lock")->click();
  scale.field("Horizontal")->setText("150");
  scale.slider("Vertical")->setValue(80);
  EXPECT_EQ(scale.preview(), ScaleFrame(*frame_, 150, 80));
  for (auto [preset, percent] : std::initializer_list<std::pair<const char*, int>>{
           {"1/4", 25}, {"1/2", 50}, {"2x", 200}, {"4x", 400}}) {
    ClickButton(scale, preset);
    EXPECT_EQ(scale.field("Vertical")->text(), QString::number(percent));
    EXPECT_EQ(scale.preview(), ScaleFrame(*frame_, percent, percent));
  }
}

// Noise adds nothing until a change, then a new plane on every change, the
// one shown being the one applied; Erase a colour takes the colour chosen
// and keeps it when the choice is cancelled.
TEST_F(EffectDialogTest, NoiseAndEraseAColour) {
  EffectDialog noise(nullptr, EffectKind::Noise, frame_);
  EXPECT_EQ(noise.noise_plane(), std::vector<std::uint8_t>(24, 0));
  EXPECT_EQ(noise.preview(), Noise(*frame_, noise.noise_plane()));
  noise.field("Level")->setText("100");
  const std::vector<std::uint8_t> first = noise.noise_plane();
  for (std::uint8_t value : first) EXPECT_TRUE(value >= 1 && value <= 101);
  EXPECT_EQ(noise.preview(), Noise(*frame_, first));
  noise.slider("Level")->setValue(99);
  noise.slider("Level")->setValue(100);
  EXPECT_NE(noise.noise_plane(), first);  // 24 draws of 101 values each
  EXPECT_EQ(noise.Chosen()(*frame_), noise.preview());

  dialogs_.PickColor(Color{41, 61, 91, 255}).Cancel();
  EffectDialog erase(nullptr, EffectKind::EraseColor, frame_);
  EXPECT_EQ(erase.preview(), EraseColor(*frame_, Color{0, 0, 0, 255}, 0));
  ClickButton(erase, "...");
  erase.field("Tolerance")->setText("12");
  ClickButton(erase, "...");
  EXPECT_EQ(erase.erase_color(), (Color{41, 61, 91, 255}));
  EXPECT_EQ(erase.Chosen()(*frame_), EraseColor(*frame_, Color{41, 61, 91, 255}, 12));
  EXPECT_EQ(erase.preview(), erase.Chosen()(*frame_));
}

}  // namespace
}  // namespace vorlane
