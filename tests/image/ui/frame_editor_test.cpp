#include "image/ui/frame_editor.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "image/effects.h"
#include "image/frame_edits.h"
#include "image/test_pictures.h"
#include "image/ui/frame_dialogs.h"
#include "image/ui/image_editor.h"
#include "image/ui/window_check.h"
#include "project/thumbnails.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using test::Solid;
constexpr Color kRed{200, 0, 0, 255}, kGreen{0, 180, 0, 255}, kBlue{0, 0, 220, 128};
constexpr Color kWhite{255, 255, 255, 255};

void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

PointerEvent Click(long long x, Qt::MouseButton button = Qt::LeftButton) {
  return PointerEvent{static_cast<int>(x), 11, button, button};
}

class FrameEditorTest : public test::DialogTest {
 protected:
  // spr_ball's frames are red, green and blue, 4 x 2 with a white corner;
  // another sprite's frame sits between its first two.
  FrameEditorTest() {
    project_.sprites = {Sprite{.name = "spr_ball"}, Sprite{.name = "spr_other"},
                        Sprite{.name = "spr_empty"}};
    AddFrame("0", "spr_ball", kRed);
    AddFrame("0", "spr_other", Color{9, 9, 9, 255});
    AddFrame("1", "spr_ball", kGreen);
    AddFrame("2", "spr_ball", kBlue);
  }
  void AddFrame(const std::string& file, const std::string& sprite, Color colour) {
    Image image = Solid(4, 2, colour);
    image.Plot(0, 0, kWhite);
    project_.frames.push_back(Frame{.file = file, .sprite = sprite, .image = ShareImage(image)});
  }
  // Queues `act` to drive the frame editor; it must end with Done.
  ScriptedDialogs& Drive(std::function<void(FrameEditor&)> act) {
    return dialogs_.Drive([act](QDialog& window) { act(static_cast<FrameEditor&>(window)); });
  }
  void Open(const std::string& sprite = "spr_ball") { OpenFrameEditor(nullptr, project_, sprite); }
  std::vector<Image> Pictures() const {
    std::vector<Image> pictures;
    for (int index : SpriteFrames(project_, "spr_ball"))
      pictures.push_back(*project_.frames[index].image);
    return pictures;
  }
  // The colour at (1, 1) of each frame: which frame went where.
  std::vector<Color> Colours() const {
    std::vector<Color> colours;
    for (const Image& picture : Pictures()) colours.push_back(picture.Pixel(1, 1));
    return colours;
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& shown : dialogs_.shown()) titles.push_back(shown.title);
    return titles;
  }
  Project project_;
};

// The strip, every button of the row, the keys and Done reach what they
// stand for; Escape and the close button do not end the editor.
TEST_F(FrameEditorTest, ButtonsKeysAndTheStripReachTheirOperations) {
  using List = std::vector<Color>;
  Drive([this](FrameEditor& editor) {
    test::ExpectNothingClipped(editor, "frame_editor");
    EXPECT_EQ(editor.current(), 0);
    CanvasTool& strip = *editor.strip()->tool();
    strip.Press(Click(editor.layout().x(2) + 1));
    EXPECT_EQ(editor.current(), 3);
    strip.Press(Click(editor.layout().x(1) - 1));  // the gap
    strip.Press(Click(editor.layout().x(0) + 1, Qt::RightButton));
    EXPECT_EQ(editor.current(), 3);
    editor.SetCurrent(0);
    // Windows are cancelled; duplicate, move left, move right, delete.
    for (QToolButton* button : editor.findChildren<QToolButton*>())
      if (!editor.menu_bar()->isAncestorOf(button)) button->click();
    EXPECT_EQ(editor.stack().count(), 4);
    EXPECT_EQ(Colours(), (List{kRed, kGreen, kBlue}));

    EXPECT_FALSE(editor.action("Redo")->isEnabled());
    Key(&editor, Qt::Key_D, Qt::ControlModifier);
    Key(&editor, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Colours(), (List{kRed, kGreen, kRed, kBlue}));
    editor.SetCurrent(SpriteFrames(project_, "spr_ball")[1]);
    Key(&editor, Qt::Key_Right, Qt::ControlModifier);
    Key(&editor, Qt::Key_Delete);  // the green frame
    EXPECT_EQ(Colours(), (List{kRed, kRed, kBlue}));
    Key(&editor, Qt::Key_Z, Qt::ControlModifier);
    editor.action("Undo")->trigger();
    EXPECT_EQ(Colours(), (List{kRed, kGreen, kRed, kBlue}));
    EXPECT_TRUE(editor.action("Redo")->isEnabled());
    Key(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Key(&editor, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Colours(), (List{kRed, kRed, kBlue}));
    editor.action("Undo")->trigger();
    editor.action("Redo")->trigger();
    EXPECT_EQ(Colours(), (List{kRed, kRed, kBlue}));

    Key(&editor, Qt::Key_Escape);
    editor.close();
    EXPECT_TRUE(editor.isVisible());
    editor.done_button()->click();
    EXPECT_FALSE(editor.isVisible());
  });
  for (int i = 0; i < 20; ++i) dialogs_.Cancel();
  Open();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Edit sprite frames",
                                                "Create new sprite",
                                                "Select an image",
                                                "Save sprite as PNG strip",
                                                "Shift the images",
                                                "Mirror the images",
                                                "Rotate the images",
                                                "Scale the images",
                                                "Resize canvas",
                                                "Stretch the images",
                                                "Convert to grayscale",
                                                "Colorize",
                                                "Color balance",
                                                "Swap RGB channels",
                                                "Invert",
                                                "Brightness",
                                                "Opacity",
                                                "Posterize",
                                                "Noise",
                                                "Erase a color",
                                                "Make opaque"}));
  EXPECT_EQ(project_.modified, 1);
  EXPECT_EQ(*project_.sprites[0].thumbnail, MakeCard(project_.frames[0].image.get()));
}

// "Create new sprite" and the size windows refuse a size of 0 with a
// message and stay open; Keep aspect ratio follows the other side.
TEST_F(FrameEditorTest, NewSpriteStretchAndResizeCanvasWindows) {
  Drive([this](FrameEditor& editor) {
    editor.action("New...")->trigger();
    EXPECT_EQ(Pictures(), std::vector<Image>{Image::Transparent(16, 8)});
    EXPECT_EQ(editor.current(), SpriteFrames(project_, "spr_ball")[0]);
    Key(&editor, Qt::Key_Z, Qt::ControlModifier);
    editor.action("Stretch")->trigger();
    for (const Image& picture : Pictures()) EXPECT_EQ(picture.width() * 10 + picture.height(), 84);
    editor.action("Resize canvas")->trigger();
    EXPECT_EQ(Pictures()[2].width() * 10 + Pictures()[2].height(), 104);
    editor.done_button()->click();
  })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<NewSpriteDialog&>(window);
        test::ExpectNothingClipped(dialog, "new_sprite");
        EXPECT_EQ(dialog.width_field()->text(), "40");
        dialog.width_field()->setText("0");
        dialog.ok_button()->click();
        dialog.width_field()->setText("16");
        dialog.height_field()->setText("-8");  // digits only
        dialog.ok_button()->click();
      })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<FrameSizeDialog&>(window);
        test::ExpectNothingClipped(dialog, "stretch");
        EXPECT_TRUE(dialog.smooth()->isChecked());
        EXPECT_EQ(dialog.width_field()->text(), "4");
        dialog.width_field()->setText("0");
        EXPECT_EQ(dialog.height_field()->text(), "0");
        dialog.ok_button()->click();
        dialog.width_field()->setText("8");
        EXPECT_EQ(dialog.height_field()->text(), "4");
        dialog.ok_button()->click();
      })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<FrameSizeDialog&>(window);
        EXPECT_EQ(dialog.smooth(), nullptr);
        dialog.keep_aspect()->setChecked(false);
        dialog.width_field()->setText("10");
        dialog.ok_button()->click();
      });
  Open();
  EXPECT_EQ(dialogs_.Boxes(),
            std::vector<std::string>(2, std::string("Error: ") + kRefusedSizeText));
}

// Adding a picture: a cancelled requester, a broken file (an error box) or
// a cancelled size question add nothing; another size asks how, the old
// frames then taking the new size.
TEST_F(FrameEditorTest, AddingAPictureOfAnotherSizeAsksHow) {
  ASSERT_TRUE(SavePng(Solid(6, 3, kGreen), "wide.png"));
  test::WriteAll("broken.png", "not a picture");
  Drive([this](FrameEditor& editor) {
    for (int i = 0; i < 4; ++i) Key(&editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kGreen, kBlue, kGreen}));
    for (const Image& picture : Pictures()) EXPECT_EQ(picture.width() * 10 + picture.height(), 63);
    EXPECT_EQ(Pictures()[0].Pixel(0, 0), kWhite);  // stretched to the nearest pixel
    EXPECT_EQ(Pictures()[0].Pixel(2, 0), kRed);
    EXPECT_EQ(editor.current(), 4);
    editor.done_button()->click();
  })
      .Cancel()
      .PickFile("broken.png")
      .PickFile("wide.png")
      .Cancel()
      .PickFile("wide.png")
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<AddFrameDialog&>(window);
        test::ExpectNothingClipped(dialog, "add_frame");
        ASSERT_NE(dialog.choice("Keep the original image size (4 x 2)"), nullptr);
        EXPECT_TRUE(dialog.choice("Resize all frames to the new image size (6 x 3)")->isChecked());
        EXPECT_TRUE(dialog.choice("Stretch images")->isChecked());
        ClickButton(dialog, "OK");
      });
  Open();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The image \"broken.png\" could not be loaded", 0),
            0u);
}

// An effect window's OK applies its choice to every frame, or the current
// one only, as one step; a sprite without frames opens no effect window.
TEST_F(FrameEditorTest, EffectsApplyToAllFramesOrTheCurrentOne) {
  const std::vector<Image> before = Pictures();
  Drive([](FrameEditor& editor) {
    editor.action("Invert")->trigger();
    editor.button("Brightness")->click();
    EXPECT_EQ(editor.stack().count(), 2);
    editor.done_button()->click();
  })
      .Drive([](QDialog& window) { ClickButton(window, "OK"); })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<EffectDialog&>(window);
        dialog.field("Level")->setText("-20");
        dialog.check("Apply to all frames in the sprite")->setChecked(false);
        ClickButton(dialog, "OK");
      })
      .Drive([](QDialog& window) {
        auto& editor = static_cast<FrameEditor&>(window);
        EXPECT_EQ(editor.current(), -1);
        editor.action("Grayscale")->trigger();
        editor.action("Resize canvas")->trigger();
        editor.action("Duplicate frame")->trigger();
        editor.done_button()->click();
      });
  Open();
  EXPECT_EQ(Pictures(), (std::vector<Image>{Brightness(Invert(before[0]), -20), Invert(before[1]),
                                            Invert(before[2])}));
  Open("spr_empty");
  EXPECT_EQ(dialogs_.shown().size(), 4u);  // the editor twice, two effect windows
}

// The strip is saved as the name chosen plus ".png"; a failed write says
// why, and a cancelled requester or a sprite without frames writes nothing.
TEST_F(FrameEditorTest, SavingTheStripWritesNamePlusPng) {
  MakeDirectory("out");
  Drive([](FrameEditor& editor) {
    Key(&editor, Qt::Key_S, Qt::ControlModifier);
    editor.done_button()->click();
  }).PickFile("out/balls");
  Open();
  EXPECT_EQ(LoadImageFile("out/balls.png"), FrameStrip(project_, "spr_ball"));
  EXPECT_EQ(dialogs_.shown()[1], (ScriptedDialogs::Shown{"save", "Save sprite as PNG strip",
                                                         "PNG Images (*.png)|*.png"}));
  dialogs_.Clear();
  dialogs_.PickFile("missing/balls").Cancel();
  EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, "spr_ball"));
  EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, "spr_ball"));
  EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, "spr_empty"));
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(
      dialogs_.Boxes()[0].rfind("Error: The strip could not be saved as \"missing/balls.png\"", 0),
      0u);
}

// A thousand frames are one canvas, painted only where it is seen, and a
// click finds the last of them.
TEST_F(FrameEditorTest, AThousandFramesAreOneCanvasThatFindsTheLast) {
  for (int i = 3; i < 1000; ++i) AddFrame(std::to_string(i), "spr_ball", kGreen);
  Drive([this](FrameEditor& editor) {
    EXPECT_EQ(editor.strip()->picture_width(), 10 + 1000 * 14);
    editor.strip()->tool()->Press(Click(10 + 999 * 14 + 3));
    EXPECT_EQ(editor.current(), static_cast<int>(project_.frames.size()) - 1);
    Image part = Image::Opaque(30, 22);
    PaintFrameStrip(part, 10 + 500 * 14 - 5, 0, project_, editor.layout(), editor.current());
    EXPECT_EQ(part.Pixel(5 + 1, 10 + 1), kGreen);
    EXPECT_EQ(part.Pixel(2, 15), (Color{236, 236, 236, 255}));
    editor.done_button()->click();
  });
  Open();
}

}  // namespace
}  // namespace vorlane
