#include "image/ui/frame_editor.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "image/effects.h"
#include "image/frame_edits.h"
#include "image/ui/effect_dialog.h"
#include "image/ui/frame_dialogs.h"
#include "image/ui/image_editor.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

Image Filled(int w, int h, Color colour) {
  Image image = Image::Transparent(w, h);
  image.Fill(colour);
  return image;
}

constexpr Color kRed{200, 0, 0, 255}, kGreen{0, 180, 0, 255}, kBlue{0, 0, 220, 128};

class FrameEditorTest : public test::DialogTest {
 protected:
  FrameEditorTest() {
    project_.sprites.push_back(Sprite{.name = "spr_ball"});
    project_.sprites.push_back(Sprite{.name = "spr_other"});
    project_.sprites.push_back(Sprite{.name = "spr_empty"});
    // Another sprite's frame sits between the ball's: the current frame is
    // an index into the whole list.
    AddFrame("0", "spr_ball", kRed);
    AddFrame("0", "spr_other", Color{9, 9, 9, 255});
    AddFrame("1", "spr_ball", kGreen);
    AddFrame("2", "spr_ball", kBlue);
  }
  void AddFrame(const std::string& file, const std::string& sprite, Color colour) {
    Image image = Filled(4, 2, colour);
    image.Plot(0, 0, Color{255, 255, 255, 255});  // so that turns and mirrors show
    project_.frames.push_back(Frame{.file = file, .sprite = sprite, .image = ShareImage(image)});
  }
  // Queues `act` to drive the frame editor; it must end with Done.
  ScriptedDialogs& Drive(std::function<void(FrameEditor&)> act) {
    return dialogs_.Drive([act](QDialog& window) { act(static_cast<FrameEditor&>(window)); });
  }
  void Open(const std::string& sprite = "spr_ball") { OpenFrameEditor(nullptr, project_, sprite); }
  std::vector<Image> Pictures(const std::string& sprite = "spr_ball") const {
    std::vector<Image> pictures;
    for (int index : SpriteFrames(project_, sprite))
      pictures.push_back(*project_.frames[static_cast<size_t>(index)].image);
    return pictures;
  }
  // The colour at (1, 1) of each frame: which frame went where.
  std::vector<Color> Colours() const {
    std::vector<Color> colours;
    for (const Image& picture : Pictures()) colours.push_back(picture.Pixel(1, 1));
    return colours;
  }
  Project project_;
};

TEST_F(FrameEditorTest, OpensOnTheFirstFrameClicksChooseAndOnlyDoneCloses) {
  Drive([this](FrameEditor& editor) {
    EXPECT_EQ(editor.windowTitle(), "Edit sprite frames");
    EXPECT_EQ(editor.size(), QSize(800, 600));
    EXPECT_EQ(editor.current(), 0);
    EXPECT_EQ(editor.done_button()->geometry(), QRect(725, 565, 65, 25));
    // Frames side by side 10 apart, all in one canvas.
    EXPECT_EQ(editor.findChildren<Canvas*>().size(), 1);
    EXPECT_EQ(editor.layout().x(1), 24);
    EXPECT_EQ(editor.layout().x(2), 38);
    EXPECT_EQ(editor.strip()->picture_width(), 52);
    CanvasTool* tool = editor.strip()->tool();
    tool->Press(PointerEvent{39, 11, Qt::LeftButton, Qt::LeftButton});
    EXPECT_EQ(editor.current(), 3);
    tool->Press(PointerEvent{20, 11, Qt::LeftButton, Qt::LeftButton});  // the gap
    EXPECT_EQ(editor.current(), 3);
    tool->Press(PointerEvent{25, 11, Qt::RightButton, Qt::RightButton});
    EXPECT_EQ(editor.current(), 3);

    // 24 buttons in four groups, each running its menu item.
    int row = 0;
    for (QToolButton* button : editor.findChildren<QToolButton*>())
      row += !editor.menu_bar()->isAncestorOf(button);
    EXPECT_EQ(row, 24);
    EXPECT_EQ(editor.button("Create new sprite")->geometry(), QRect(10, 10, 25, 25));
    EXPECT_GT(editor.button("Duplicate current frame")->x() -
                  editor.button("Save sprite as PNG strip")->x(),
              editor.button("Save sprite as PNG strip")->x() -
                  editor.button("Add new frame from file")->x());
    EXPECT_EQ(editor.action("Undo")->text(), "Undo\tCtrl + Z");
    EXPECT_FALSE(editor.action("Undo")->isEnabled());
    // Typed keys reach the items as shortcuts wherever the focus is.
    EXPECT_EQ(editor.action("Undo")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(editor.action("Redo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_EQ(editor.action("Move frame left")->shortcut(), QKeySequence("Ctrl+Left"));

    editor.show();
    Key(&editor, Qt::Key_Escape);
    editor.close();
    EXPECT_TRUE(editor.isVisible());
    editor.done_button()->click();
    EXPECT_FALSE(editor.isVisible());
  });
  Open();
  EXPECT_EQ(project_.modified, 1);
  ASSERT_NE(project_.sprites[0].thumbnail, nullptr);
  EXPECT_EQ(project_.sprites[0].thumbnail->width(), 150);
}

TEST_F(FrameEditorTest, NewSpriteRefusesAZeroSizeThenMakesOneSeeThroughFrame) {
  Drive([this](FrameEditor& editor) {
    editor.button("Create new sprite")->click();  // cancelled
    EXPECT_EQ(SpriteFrames(project_, "spr_ball").size(), 3u);
    editor.action("New...")->trigger();
    EXPECT_EQ(SpriteFrames(project_, "spr_ball").size(), 1u);
    EXPECT_EQ(editor.current(), SpriteFrames(project_, "spr_ball")[0]);
    EXPECT_EQ(editor.layout().count(), 1);
    Key(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kGreen, kBlue}));
    EXPECT_EQ(editor.current(), 0);
    Key(&editor, Qt::Key_Y, Qt::ControlModifier);
    editor.done_button()->click();
  })
      .Cancel()
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<NewSpriteDialog&>(window);
        EXPECT_EQ(dialog.windowTitle(), "Create new sprite");
        EXPECT_EQ(dialog.width_field()->text(), "40");
        EXPECT_EQ(dialog.height_field()->text(), "40");
        dialog.width_field()->setText("0");
        dialog.ok_button()->click();  // refused: the window stays
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        dialog.width_field()->setText("16");
        dialog.height_field()->setText("-8");  // digits only
        dialog.ok_button()->click();
      });
  Open();
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>{std::string("Error: ") + kRefusedSizeText});
  const std::vector<Image> pictures = Pictures();
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0], Image::Transparent(16, 8));
  EXPECT_EQ(project_.frames[static_cast<size_t>(SpriteFrames(project_, "spr_ball")[0])].file, "0");
  EXPECT_EQ(Pictures("spr_other").size(), 1u);
}

TEST_F(FrameEditorTest, AddingAPictureOfAnotherSizeAsksHowAndCancelAddsNothing) {
  ASSERT_TRUE(SavePng(Filled(6, 3, kGreen), "wide.png"));
  ASSERT_TRUE(SavePng(Filled(5, 5, kRed), "square.png"));
  test::WriteAll("broken.png", "not a picture");
  Drive([this](FrameEditor& editor) {
    editor.button("Add new frame from file")->click();                 // requester cancelled
    editor.action("Add new frame from file...")->trigger();            // broken
    editor.action("Add new frame from file...\tCtrl + A")->trigger();  // square, window cancelled
    EXPECT_EQ(Pictures().size(), 3u);
    Key(&editor, Qt::Key_A, Qt::ControlModifier);  // wide, the choices as they come
    const std::vector<Image> pictures = Pictures();
    ASSERT_EQ(pictures.size(), 4u);
    for (const Image& picture : pictures) {
      EXPECT_EQ(picture.width(), 6);
      EXPECT_EQ(picture.height(), 3);
    }
    // The old frames stretched to the nearest pixel, the new one last.
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kGreen, kBlue, kGreen}));
    EXPECT_EQ(pictures[0].Pixel(0, 0), (Color{255, 255, 255, 255}));
    EXPECT_EQ(pictures[0].Pixel(2, 0), kRed);
    EXPECT_EQ(editor.current(), 4);
    editor.done_button()->click();
  })
      .Cancel()
      .PickFile("broken.png")
      .PickFile("square.png")
      .Drive([](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Adding new frame");
        ClickButton(window, "Cancel");
      })
      .PickFile("wide.png")
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<AddFrameDialog&>(window);
        ASSERT_NE(dialog.choice("Keep the original image size (4 x 2)"), nullptr);
        EXPECT_TRUE(dialog.choice("Resize all frames to the new image size (6 x 3)")->isChecked());
        EXPECT_TRUE(dialog.choice("Stretch images")->isChecked());
        EXPECT_FALSE(dialog.choice("Place images in center")->isChecked());
        ClickButton(dialog, "OK");
      });
  Open();
  const std::vector<std::string> boxes = dialogs_.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("Error: The image \"broken.png\" could not be loaded", 0), 0u)
      << boxes[0];
  EXPECT_EQ(dialogs_.shown()[1],
            (ScriptedDialogs::Shown{"open", "Select an image",
                                    "Images (jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files "
                                    "(*.jpg)|*.jpg|BMP files (*.bmp)|*.bmp|PNG files "
                                    "(*.png)|*.png"}));
}

TEST_F(FrameEditorTest, DuplicateMoveAndDeleteFromMenusButtonsAndKeys) {
  // A frame moves past its neighbours in the list only: the other sprite's
  // frame goes out of the way.
  project_.frames.erase(project_.frames.begin() + 1);
  Drive([this](FrameEditor& editor) {
    editor.action("Duplicate frame")->trigger();  // the copy goes last and is current
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kGreen, kBlue, kRed}));
    EXPECT_EQ(editor.current(), 3);
    editor.button("Move current frame to right")->click();  // already last: no step
    EXPECT_EQ(editor.stack().count(), 1);
    editor.SetCurrent(SpriteFrames(project_, "spr_ball")[2]);  // blue
    Key(&editor, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kBlue, kGreen, kRed}));
    editor.action("Move frame left")->trigger();
    EXPECT_EQ(Colours(), (std::vector<Color>{kBlue, kRed, kGreen, kRed}));
    EXPECT_EQ(editor.current(), 0);
    editor.button("Move current frame to right")->click();
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kBlue, kGreen, kRed}));
    editor.button("Move current frame to left")->click();
    Key(&editor, Qt::Key_Delete);  // blue; the first frame becomes current
    EXPECT_EQ(Colours(), (std::vector<Color>{kRed, kGreen, kRed}));
    EXPECT_EQ(editor.current(), 0);
    editor.button("Duplicate current frame")->click();
    editor.button("Delete current frame")->click();    // the copy
    editor.action("Delete current frame")->trigger();  // the first
    EXPECT_EQ(Colours(), (std::vector<Color>{kGreen, kRed}));
    // Undo walks back through every step; the frames deleted come back.
    for (int i = 0; i < 4; ++i) editor.action("Undo")->trigger();
    EXPECT_EQ(Colours(), (std::vector<Color>{kBlue, kRed, kGreen, kRed}));
    EXPECT_TRUE(editor.layout().Position(editor.current()) >= 0);
    EXPECT_EQ(editor.layout().count(), 4);
    editor.done_button()->click();
  });
  Open();
}

TEST_F(FrameEditorTest, AnEffectOnAllFramesIsOneStepUndoneAndRedoneExactly) {
  const std::vector<Image> before = Pictures();
  const Image other = *project_.frames[1].image;
  std::vector<Image> after;
  Drive([&](FrameEditor& editor) {
    editor.action("Invert")->trigger();
    after = Pictures();
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i], Invert(before[i]));
    EXPECT_EQ(editor.stack().count(), 1);
    Key(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Pictures(), before);
    EXPECT_TRUE(editor.action("Redo")->isEnabled());
    Key(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Pictures(), after);
    editor.action("Undo\tCtrl + Z")->trigger();
    editor.action("Redo")->trigger();
    EXPECT_EQ(Pictures(), after);

    // The current frame only; a cancelled window changes nothing.
    editor.button("Brightness")->click();
    editor.button("Posterize")->click();
    EXPECT_EQ(editor.stack().count(), 2);
    editor.done_button()->click();
  })
      .Drive([](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Invert");
        EXPECT_TRUE(static_cast<EffectDialog&>(window).apply_all());
        ClickButton(window, "OK");
      })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<EffectDialog&>(window);
        dialog.field("Level")->setText("-20");
        dialog.check("Apply to all frames in the sprite")->setChecked(false);
        ClickButton(dialog, "OK");
      })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<EffectDialog&>(window);
        dialog.field("Level")->setText("7");
        ClickButton(dialog, "Cancel");
      });
  Open();
  const std::vector<Image> last = Pictures();
  EXPECT_EQ(last[0], Brightness(after[0], -20));
  EXPECT_EQ(last[1], after[1]);
  EXPECT_EQ(last[2], after[2]);
  EXPECT_EQ(*project_.frames[1].image, other);
}

TEST_F(FrameEditorTest, EveryOperationIsUndoneAndRedoneToTheSamePixels) {
  const std::vector<Image> before = Pictures();
  const char* const effects[] = {"Shift",     "Mirror",        "Rotate",        "Scale",
                                 "Grayscale", "Colorize",      "Color balance", "Swap RGB channels",
                                 "Invert",    "Brightness",    "Opacity",       "Posterize",
                                 "Noise",     "Erase a color", "Make opaque"};
  Drive([&](FrameEditor& editor) {
    editor.button("Duplicate current frame")->click();
    editor.button("Move current frame to left")->click();
    for (const char* effect : effects) editor.button(effect)->click();
    editor.action("Stretch")->trigger();
    editor.button("Delete current frame")->click();
    const std::vector<Image> after = Pictures();
    EXPECT_EQ(editor.stack().count(), 19);
    while (editor.stack().Undo()) {
    }
    EXPECT_EQ(Pictures(), before);
    while (editor.stack().Redo()) {
    }
    EXPECT_EQ(Pictures(), after);
    editor.done_button()->click();
  });
  // Each effect window with a change of its first slider where it has one.
  for (size_t i = 0; i < std::size(effects); ++i)
    dialogs_.Drive([](QDialog& window) {
      auto& dialog = static_cast<EffectDialog&>(window);
      if (QSlider* slider = dialog.findChild<QSlider*>()) slider->setValue(slider->maximum() / 3);
      ClickButton(dialog, "OK");
    });
  dialogs_.Drive([](QDialog& window) {
    auto& dialog = static_cast<FrameSizeDialog&>(window);
    dialog.width_field()->setText("6");
    dialog.ok_button()->click();
  });
  Open();
}

TEST_F(FrameEditorTest, NoiseOnOkIsTheNoiseOfTheLastPreview) {
  const std::vector<Image> before = Pictures();
  std::vector<std::uint8_t> plane;
  Drive([](FrameEditor& editor) {
    editor.action("Noise")->trigger();
    editor.done_button()->click();
  }).Drive([&](QDialog& window) {
    auto& dialog = static_cast<EffectDialog&>(window);
    EXPECT_EQ(dialog.noise_plane(), std::vector<std::uint8_t>(8, 0));
    dialog.field("Level")->setText("40");
    dialog.slider("Level")->setValue(60);
    plane = dialog.noise_plane();
    EXPECT_EQ(plane.size(), 8u);
    EXPECT_EQ(dialog.preview(), Noise(before[0], plane));
    ClickButton(dialog, "OK");
  });
  Open();
  ASSERT_NE(plane, std::vector<std::uint8_t>(8, 0));
  const std::vector<Image> pictures = Pictures();
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(pictures[i], Noise(before[i], plane));
}

TEST_F(FrameEditorTest, StretchAndResizeCanvasKeepTheAspectAndRefuseZero) {
  Drive([this](FrameEditor& editor) {
    editor.action("Stretch")->trigger();
    for (const Image& picture : Pictures()) EXPECT_EQ(picture.width() * 10 + picture.height(), 84);
    editor.button("Resize canvas")->click();
    for (const Image& picture : Pictures()) {
      EXPECT_EQ(picture.width(), 10);
      EXPECT_EQ(picture.height(), 4);
    }
    editor.action("Undo")->trigger();
    editor.action("Undo")->trigger();
    EXPECT_EQ(Pictures()[0].width(), 4);
    editor.done_button()->click();
  })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<FrameSizeDialog&>(window);
        EXPECT_EQ(dialog.windowTitle(), "Stretch the images");
        EXPECT_TRUE(dialog.keep_aspect()->isChecked());
        EXPECT_TRUE(dialog.smooth()->isChecked());
        EXPECT_EQ(dialog.width_field()->text(), "4");
        dialog.width_field()->setText("0");
        EXPECT_EQ(dialog.height_field()->text(), "0");
        dialog.ok_button()->click();  // refused
        dialog.width_field()->setText("8");
        EXPECT_EQ(dialog.height_field()->text(), "4");
        dialog.ok_button()->click();
      })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<FrameSizeDialog&>(window);
        EXPECT_EQ(dialog.windowTitle(), "Resize canvas");
        EXPECT_EQ(dialog.smooth(), nullptr);
        dialog.keep_aspect()->setChecked(false);
        dialog.width_field()->setText("10");
        EXPECT_EQ(dialog.height_field()->text(), "4");
        dialog.ok_button()->click();
      });
  Open();
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>{std::string("Error: ") + kRefusedSizeText});
}

TEST_F(FrameEditorTest, ASpriteWithoutFramesOpensNoEffectWindow) {
  Drive([](FrameEditor& editor) {
    EXPECT_EQ(editor.current(), -1);
    editor.action("Grayscale")->trigger();
    editor.button("Rotate")->click();
    editor.action("Resize canvas")->trigger();
    editor.action("Duplicate frame")->trigger();
    editor.done_button()->click();
  });
  Open("spr_empty");
  EXPECT_EQ(dialogs_.shown().size(), 1u);  // the editor only
}

TEST_F(FrameEditorTest, SavingTheStripWritesNamePlusPng) {
  MakeDirectory("out");
  Drive([](FrameEditor& editor) {
    editor.action("Save as PNG image...")->trigger();
    editor.done_button()->click();
  }).PickFile("out/balls");
  Open();
  std::string error;
  const Image strip = LoadImageFile("out/balls.png", &error);
  ASSERT_FALSE(strip.is_null()) << error;
  EXPECT_EQ(strip.width(), 12);
  EXPECT_EQ(strip.height(), 2);
  EXPECT_EQ(strip.Pixel(0, 0), (Color{255, 255, 255, 255}));
  EXPECT_EQ(strip.Pixel(1, 1), kRed);
  EXPECT_EQ(strip.Pixel(5, 1), kGreen);
  EXPECT_EQ(strip.Pixel(11, 0), kBlue);
  const ScriptedDialogs::Shown& save = dialogs_.shown()[1];
  EXPECT_EQ(save.kind, "save");
  EXPECT_EQ(save.title, "Save sprite as PNG strip");
  EXPECT_EQ(save.text, "PNG Images (*.png)|*.png");

  // A write that fails says why; a cancelled requester or no frames writes
  // nothing.
  dialogs_.Clear();
  dialogs_.PickFile("missing/balls").Cancel();
  EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, "spr_ball"));
  EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, "spr_ball"));
  EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, "spr_empty"));
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(
      dialogs_.Boxes()[0].rfind("Error: The strip could not be saved as \"missing/balls.png\"", 0),
      0u);
  EXPECT_FALSE(FileExists("missing/balls.png"));
}

TEST_F(FrameEditorTest, AThousandFramesAreOneCanvasThatFindsTheLast) {
  for (int i = 3; i < 1000; ++i) AddFrame(std::to_string(i), "spr_ball", kGreen);
  Drive([this](FrameEditor& editor) {
    EXPECT_EQ(editor.layout().count(), 1000);
    EXPECT_EQ(editor.strip()->picture_width(), 10 + 1000 * 14);
    editor.strip()->tool()->Press(
        PointerEvent{10 + 999 * 14 + 3, 11, Qt::LeftButton, Qt::LeftButton});
    EXPECT_EQ(editor.current(), static_cast<int>(project_.frames.size()) - 1);
    // Painting a part far along the strip draws the frames there.
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
