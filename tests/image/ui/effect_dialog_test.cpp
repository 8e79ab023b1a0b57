#include "image/ui/effect_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "image/effects.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class EffectDialogTest : public test::DialogTest {
 protected:
  EffectDialogTest() {
    Image picture = Image::Transparent(6, 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x)
        picture.Plot(x, y,
                     Color{static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(60 * y),
                           90, static_cast<std::uint8_t>(x == 5 ? 0 : 200)});
    frame_ = ShareImage(picture);
  }
  ImageRef frame_;
};

TEST_F(EffectDialogTest, SliderAndFieldStayInStepAndTheFieldIsClamped) {
  EffectDialog dialog(nullptr, EffectKind::Opacity, frame_);
  EXPECT_EQ(dialog.windowTitle(), "Opacity");
  EXPECT_EQ(dialog.size(), QSize(800, 600));
  QSlider* slider = dialog.slider("Percent");
  QLineEdit* field = dialog.field("Percent");
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(field->text(), "100");
  EXPECT_EQ(dialog.preview(), Opacity(*frame_, 100));

  field->setText("300");
  EXPECT_EQ(field->text(), "100");
  EXPECT_EQ(slider->value(), 100);
  field->setText("-7");
  EXPECT_EQ(field->text(), "0");
  EXPECT_EQ(dialog.preview(), Opacity(*frame_, 0));
  field->setText("35");
  EXPECT_EQ(slider->value(), 35);
  EXPECT_EQ(dialog.preview(), Opacity(*frame_, 35));
  field->setText("abc");  // reads 0, which is in range
  EXPECT_EQ(slider->value(), 0);
  EXPECT_EQ(field->text(), "abc");
  slider->setValue(60);
  EXPECT_EQ(field->text(), "60");
  EXPECT_EQ(dialog.preview(), Opacity(*frame_, 60));
  EXPECT_EQ(dialog.Chosen()(*frame_), Opacity(*frame_, 60));

  // Text that reads below the range takes the lower bound.
  EffectDialog posterize(nullptr, EffectKind::Posterize, frame_);
  EXPECT_EQ(posterize.field("Level")->text(), "50");
  posterize.field("Level")->setText("x");
  EXPECT_EQ(posterize.field("Level")->text(), "2");
  EXPECT_EQ(posterize.preview(), Posterize(*frame_, 2));
  EffectDialog brightness(nullptr, EffectKind::Brightness, frame_);
  brightness.field("Level")->setText("-300");
  EXPECT_EQ(brightness.field("Level")->text(), "-255");
  EXPECT_EQ(brightness.slider("Level")->value(), -255);
}

TEST_F(EffectDialogTest, EachEffectPreviewsWithItsOwnControls) {
  EffectDialog balance(nullptr, EffectKind::ColorBalance, frame_);
  balance.field("Red")->setText("30");
  balance.slider("Blue")->setValue(-40);
  EXPECT_EQ(balance.preview(), ColorBalance(*frame_, 30, 0, -40));

  EffectDialog colorize(nullptr, EffectKind::Colorize, frame_);
  EXPECT_EQ(colorize.slider("Hue")->maximum(), 359);
  colorize.field("Hue")->setText("400");
  EXPECT_EQ(colorize.preview(), Colorize(*frame_, 359));

  EffectDialog swap(nullptr, EffectKind::SwapChannels, frame_);
  EXPECT_TRUE(swap.choice("RGB ==> RBG")->isChecked());
  EXPECT_EQ(swap.preview(), SwapChannels(*frame_, "RBG"));
  swap.choice("RGB ==> BGR")->click();
  EXPECT_EQ(swap.preview(), SwapChannels(*frame_, "BGR"));

  EffectDialog mirror(nullptr, EffectKind::Mirror, frame_);
  EXPECT_EQ(mirror.windowTitle(), "Mirror the images");
  mirror.check("Mirror vertically")->click();
  EXPECT_EQ(mirror.preview(), Mirror(*frame_, false, true));

  EffectDialog rotate(nullptr, EffectKind::Rotate, frame_);
  EXPECT_FALSE(rotate.slider("Angle")->isEnabled());
  rotate.choice("90")->click();
  EXPECT_EQ(rotate.preview(), RotateFrame(*frame_, 90));
  rotate.choice("Free")->click();
  EXPECT_TRUE(rotate.slider("Angle")->isEnabled());
  rotate.field("Angle")->setText("33");
  EXPECT_EQ(rotate.preview(), RotateFrame(*frame_, 33));

  EffectDialog shift(nullptr, EffectKind::Shift, frame_);
  EXPECT_EQ(shift.slider("Horizontal")->minimum(), -6);
  EXPECT_EQ(shift.slider("Vertical")->maximum(), 4);
  shift.field("Horizontal")->setText("9");
  shift.field("Vertical")->setText("-1");
  shift.check("Wrap vertically")->click();
  EXPECT_EQ(shift.preview(), ShiftFrame(*frame_, 6, -1, false, true));

  EffectDialog gray(nullptr, EffectKind::Grayscale, frame_);
  EXPECT_EQ(gray.windowTitle(), "Convert to grayscale");
  EXPECT_EQ(gray.preview(), Grayscale(*frame_));
  EXPECT_EQ(gray.modified_canvas()->picture_width(), 6);
  EXPECT_EQ(gray.original_canvas()->picture_height(), 4);
}

TEST_F(EffectDialogTest, ScaleKeepsBothEqualWhileLockedAndThePresetsSetBoth) {
  EffectDialog dialog(nullptr, EffectKind::Scale, frame_);
  EXPECT_TRUE(dialog.check("Lock")->isChecked());
  dialog.field("Horizontal")->setText("150");
  EXPECT_EQ(dialog.field("Vertical")->text(), "150");
  EXPECT_EQ(dialog.preview(), ScaleFrame(*frame_, 150, 150));
  dialog.check("Lock")->click();
  dialog.slider("Vertical")->setValue(80);
  EXPECT_EQ(dialog.field("Horizontal")->text(), "150");
  EXPECT_EQ(dialog.preview(), ScaleFrame(*frame_, 150, 80));
  ClickButton(dialog, "1/4");
  EXPECT_EQ(dialog.preview(), ScaleFrame(*frame_, 25, 25));
  ClickButton(dialog, "4x");
  EXPECT_EQ(dialog.field("Vertical")->text(), "400");
  EXPECT_EQ(dialog.preview(), ScaleFrame(*frame_, 400, 400));
}

TEST_F(EffectDialogTest, NoiseDrawsANewPlaneOnEveryChange) {
  EffectDialog dialog(nullptr, EffectKind::Noise, frame_);
  EXPECT_EQ(dialog.noise_plane(), std::vector<std::uint8_t>(24, 0));
  EXPECT_EQ(dialog.preview(), Noise(*frame_, dialog.noise_plane()));
  dialog.field("Level")->setText("100");
  const std::vector<std::uint8_t> first = dialog.noise_plane();
  ASSERT_EQ(first.size(), 24u);
  for (std::uint8_t value : first) EXPECT_TRUE(value >= 1 && value <= 101);
  EXPECT_EQ(dialog.preview(), Noise(*frame_, first));
  dialog.slider("Level")->setValue(99);
  dialog.slider("Level")->setValue(100);
  EXPECT_NE(dialog.noise_plane(), first);  // 24 draws of 101 values each
  EXPECT_EQ(dialog.Chosen()(*frame_), dialog.preview());
}

TEST_F(EffectDialogTest, EraseAColourTakesTheColourChosenAndACancelledChoiceKeepsIt) {
  dialogs_.PickColor(Color{40, 60, 90, 255}).Cancel();
  EffectDialog dialog(nullptr, EffectKind::EraseColor, frame_);
  EXPECT_EQ(dialog.erase_color(), (Color{0, 0, 0, 255}));
  EXPECT_EQ(dialog.preview(), EraseColor(*frame_, Color{0, 0, 0, 255}, 0));
  ClickButton(dialog, "...");
  dialog.field("Tolerance")->setText("12");
  EXPECT_EQ(dialog.preview(), EraseColor(*frame_, Color{40, 60, 90, 255}, 12));
  ClickButton(dialog, "...");
  EXPECT_EQ(dialog.erase_color(), (Color{40, 60, 90, 255}));
  EXPECT_NE(dialog.preview(), *frame_);
}

}  // namespace
}  // namespace vorlane
