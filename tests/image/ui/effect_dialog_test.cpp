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

// Each effect's window, its controls used as a person would (a number typed
// and clamped, a slider moved with "#", a box, a choice or a button
// clicked): slider and field agree, and the preview and what OK applies
// are the effect with those values. Nothing is clipped.
TEST_F(EffectDialogTest, EachEffectsControlsReachItsFunction) {
  using K = EffectKind;
  const Image& f = *frame_;
  const Color picked{41, 61, 91, 255};
  dialogs_.PickColor(picked).Cancel();  // the erase colour: chosen, then kept when cancelled
  const struct {
    K kind;
    std::vector<std::pair<QString, QString>> set;
    Image expected;
  } cases[] = {
      // clang-format off
      {K::Grayscale, {}, Grayscale(f)}, {K::Invert, {}, Invert(f)}, {K::MakeOpaque, {}, MakeOpaque(f)},
      {K::Brightness, {{"Level", "-300"}}, Brightness(f, -255)},
      {K::ColorBalance, {{"Red", "30"}, {"Green", "7"}, {"Blue", "-40"}}, ColorBalance(f, 30, 7, -40)},
      {K::Colorize, {{"Hue", "400"}}, Colorize(f, 359)},
      {K::SwapChannels, {}, SwapChannels(f, "RBG")},
      {K::SwapChannels, {{"RGB ==> BGR", ""}}, SwapChannels(f, "BGR")},
      {K::Opacity, {{"Percent", "-7"}}, Opacity(f, 0)}, {K::Opacity, {{"#Percent", "60"}}, Opacity(f, 60)},
      {K::Posterize, {{"Level", "x"}}, Posterize(f, 2)},  // no number: the least
      {K::Mirror, {{"Mirror vertically", ""}}, Mirror(f, false, true)},
      {K::Rotate, {{"90", ""}}, RotateFrame(f, 90)},
      {K::Rotate, {{"Angle", "33"}, {"Free", ""}}, RotateFrame(f, 33)},
      {K::Scale, {{"Horizontal", "150"}}, ScaleFrame(f, 150, 150)},  // locked: both follow
      {K::Scale, {{"Lock", ""}, {"Horizontal", "150"}, {"#Vertical", "80"}}, ScaleFrame(f, 150, 80)},
      {K::Scale, {{"1/4", ""}}, ScaleFrame(f, 25, 25)}, {K::Scale, {{"1/2", ""}}, ScaleFrame(f, 50, 50)},
      {K::Scale, {{"2x", ""}}, ScaleFrame(f, 200, 200)}, {K::Scale, {{"4x", ""}}, ScaleFrame(f, 400, 400)},
      {K::Shift, {{"Horizontal", "9"}, {"Vertical", "-1"}, {"Wrap vertically", ""}}, ShiftFrame(f, 6, -1, false, true)},
      {K::EraseColor, {{"...", ""}, {"Tolerance", "12"}, {"...", ""}}, EraseColor(f, picked, 12)},
      // clang-format on
  };
  for (const auto& c : cases) {
    EffectDialog dialog(nullptr, c.kind, frame_);
    EXPECT_EQ(dialog.windowTitle(), EffectTitle(c.kind));
    for (const auto& [control, text] : c.set) {
      if (control.startsWith('#')) dialog.slider(control.mid(1))->setValue(text.toInt());
      if (QLineEdit* field = dialog.field(control)) field->setText(text);
      if (QCheckBox* box = dialog.check(control)) box->click();
      if (QRadioButton* choice = dialog.choice(control)) choice->click();
      if (control == "..." || control.contains('/') || control.endsWith('x'))
        ClickButton(dialog, control);
      const QString label = control.startsWith('#') ? control.mid(1) : control;
      if (dialog.slider(label) && text != "x")
        EXPECT_EQ(dialog.field(label)->text(), QString::number(dialog.slider(label)->value()));
    }
    EXPECT_EQ(dialog.preview(), c.expected) << EffectTitle(c.kind);
    EXPECT_EQ(dialog.Chosen()(f), c.expected) << EffectTitle(c.kind);
    EXPECT_TRUE(dialog.apply_all());
    test::ExpectNothingClipped(dialog, EffectTitle(c.kind));
  }
  EffectDialog rotate(nullptr, EffectKind::Rotate, frame_);
  EXPECT_FALSE(rotate.slider("Angle")->isEnabled());  // until "Free" is chosen
}

// Noise adds nothing until a change, then draws a new plane on every
// change, the one shown being the one applied.
TEST_F(EffectDialogTest, NoiseDrawsANewPlaneOnEveryChange) {
  EffectDialog noise(nullptr, EffectKind::Noise, frame_);
  EXPECT_EQ(noise.noise_plane(), std::vector<std::uint8_t>(24, 0));
  noise.field("Level")->setText("100");
  const std::vector<std::uint8_t> first = noise.noise_plane();
  for (std::uint8_t value : first) EXPECT_TRUE(value >= 1 && value <= 101);
  noise.slider("Level")->setValue(99);
  noise.slider("Level")->setValue(100);
  EXPECT_NE(noise.noise_plane(), first);  // 24 draws of 101 values each
  EXPECT_EQ(noise.preview(), Noise(*frame_, noise.noise_plane()));
  EXPECT_EQ(noise.Chosen()(*frame_), noise.preview());
}

}  // namespace
}  // namespace vorlane
