// One wiring test per window of the image folder: the frame editor and the
// windows it opens, each effect's window, and the strip import.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "gui/ui/image_view.h"
#include "image/drawing.h"
#include "image/ui/drawing_canvas.h"
#include "image/effects.h"
#include "image/frame_edits.h"
#include "image/test_pictures.h"
#include "image/ui/effect_dialog.h"
#include "image/ui/draw_panel.h"
#include "image/ui/frame_dialogs.h"
#include "image/ui/frame_editor.h"
#include "image/ui/image_editor.h"
#include "image/ui/strip_import.h"
#include "project/thumbnails.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using test::As;
using test::Key;
using Strings = std::vector<std::string>;

constexpr Color kRed{200, 0, 0, 255}, kGreen{0, 180, 0, 255}, kBlue{0, 0, 220, 128};
using Images = std::vector<Image>;
const auto kCtrl = Qt::ControlModifier;

class ImageWindowTest : public test::DialogTest {
 protected:
  // spr_ball's frames are red, green and blue, 4 x 2; another sprite's
  // frame sits between its first two.
  ImageWindowTest() {
    for (auto [sprite, colour] : {std::pair("spr_ball", kRed), std::pair("spr_other", kRed),
                                  std::pair("spr_ball", kGreen), std::pair("spr_ball", kBlue)})
      AppendFrame(project_, sprite, test::Solid(4, 2, colour));
    project_.sprites = {Sprite{.name = "spr_ball"}, Sprite{.name = "spr_other"}};
  }
  // Queues `act` to drive the frame editor, which Done then closes.
  void Drive(std::function<void(FrameEditor&)> act) {
    DriveWindow<FrameEditor>("Edit sprite frames", [act](FrameEditor& editor) {
      act(editor);
      editor.done_button()->click();
    });
  }
  void Open(const std::string& sprite = "spr_ball") {
    EditStack history(project_);
    OpenFrameEditor(nullptr, history, sprite);
  }
  Images Pictures() const {
    Images pictures;
    for (int index : SpriteFrames(project_, "spr_ball"))
      pictures.push_back(*project_.frames[index].image);
    return pictures;
  }
  Project project_;
  // The effects' frame: 6 x 4, its last column see-through.
  ImageRef frame_ = [] {
    Image picture = test::Numbered(6, 4, true);
    for (int y = 0; y < 4; ++y) picture.Plot(5, y, test::Rgba(9, 9, 9, 0));
    return ShareImage(picture);
  }();
};

// A click on a frame of the strip chooses it; every button of the row runs
// its operation or opens its window (cancelled, but for the strip saved as
// the name chosen plus ".png"); the keys reach the frame operations and the
// history; Done ends the editor, with the card remade.
TEST_F(ImageWindowTest, TheStripButtonsAndKeysReachTheirOperations) {
  Drive([this](FrameEditor& editor) {
    CanvasTool& strip = *editor.strip()->tool();
    for (auto [x, button] : {std::pair(editor.layout().x(2) + 1, Qt::LeftButton),
                             std::pair(editor.layout().x(1) - 1, Qt::LeftButton),  // the gap
                             std::pair(editor.layout().x(0) + 1, Qt::RightButton)})
      strip.Press(PointerEvent{static_cast<int>(x), 11, button, button});
    EXPECT_EQ(editor.current(), 3);
    editor.SetCurrent(0);
    const Images before = Pictures();
    // Duplicate, move left, move right and delete leave the frames as they were.
    for (QToolButton* button : editor.findChildren<QToolButton*>())
      if (!editor.menu_bar()->isAncestorOf(button) && !editor.panel()->isAncestorOf(button))
        button->click();
    EXPECT_EQ(editor.stack().count(), 4);
    Key(&editor, Qt::Key_D);
    Key(&editor, Qt::Key_Left);
    EXPECT_EQ(Pictures(), (Images{before[0], before[1], before[0], before[2]}));
    Key(&editor, Qt::Key_Right);
    Key(&editor, Qt::Key_Delete, Qt::NoModifier);
    EXPECT_EQ(Pictures(), before);
    for (const Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::ShiftModifier}) {
      Key(&editor, Qt::Key_Z);
      EXPECT_TRUE(editor.action("Redo")->isEnabled());
      Key(&editor, shift ? Qt::Key_Z : Qt::Key_Y, kCtrl | shift);
      EXPECT_FALSE(editor.action("Redo")->isEnabled());
    }
  });
  MakeDirectory("out");
  dialogs_.Cancel().Cancel().PickFile("out/balls");
  for (int i = 0; i < 17; ++i) dialogs_.Cancel();
  Open();
  EXPECT_EQ(LoadImageFile("out/balls.png"), FrameStrip(project_, "spr_ball"));
  EXPECT_EQ(dialogs_.shown()[3].text, "PNG Images (*.png)|*.png");
  std::string titles;
  for (const auto& shown : dialogs_.shown()) titles += shown.title + "|";
  EXPECT_EQ(
      titles,
      "Edit sprite frames|Create new sprite|Select an image|Save sprite as PNG strip|Shift the "
      "images|Mirror the images|Rotate the images|Scale the images|Resize canvas|Stretch the "
      "images|Convert to grayscale|Colorize|Color balance|Swap RGB channels|Invert|Brightness|"
      "Opacity|Posterize|Noise|Erase a color|Make opaque|");
  EXPECT_EQ(project_.modified, 1);
  EXPECT_EQ(*project_.cards.sprites["spr_ball"].card, MakeCard(project_.frames[0].image.get()));
}

// The windows of the frame operations: a size of 0 is refused with a
// message and the window stays; Keep aspect ratio follows the other side;
// adding a picture of another size asks how (a broken file says why, a
// cancelled question adds nothing); an effect applies to every frame or the
// current one; a sprite without frames opens no effect window.
TEST_F(ImageWindowTest, TheWindowsReachTheFrames) {
  ASSERT_TRUE(SavePng(test::Solid(6, 3, kGreen), "wide.png"));
  test::WriteAll("broken.png", "not a picture");
  const Images before = Pictures();
  Drive([this, &before](FrameEditor& editor) {
    editor.action("New...")->trigger();
    EXPECT_EQ(Pictures(), Images{Image::Transparent(16, 8)});
    Key(&editor, Qt::Key_Z);
    editor.action("Invert")->trigger();
    editor.button("Brightness")->click();
    EXPECT_EQ(Pictures(),
              (Images{Brightness(Invert(before[0]), -20), Invert(before[1]), Invert(before[2])}));
    editor.action("Stretch")->trigger();
    editor.action("Resize canvas")->trigger();
    EXPECT_EQ(Pictures()[2].width() * 10 + Pictures()[2].height(), 104);
    for (int i = 0; i < 3; ++i) Key(&editor, Qt::Key_A);
    EXPECT_EQ(Pictures().size(), 4u);
    for (const Image& picture : Pictures()) EXPECT_EQ(picture.width() * 10 + picture.height(), 63);
  });
  dialogs_.Drive(As<NewSpriteDialog>([](NewSpriteDialog& dialog) {
    EXPECT_EQ(test::Clipped(dialog, "new_sprite"), Strings{});
    dialog.width_field()->setText("0");
    dialog.ok_button()->click();
    dialog.width_field()->setText("16");
    dialog.height_field()->setText("8");
    dialog.ok_button()->click();
  }));
  dialogs_.Drive([](QDialog& window) { ClickButton(window, "OK"); });
  dialogs_.Drive(As<EffectDialog>([](EffectDialog& dialog) {
    dialog.field("Level")->setText("-20");
    dialog.check("Apply to all frames in the sprite")->setChecked(false);
    ClickButton(dialog, "OK");
  }));
  dialogs_.Drive(As<FrameSizeDialog>([](FrameSizeDialog& dialog) {
    EXPECT_EQ(test::Clipped(dialog, "stretch"), Strings{});
    EXPECT_TRUE(dialog.smooth()->isChecked());
    dialog.width_field()->setText("0");
    EXPECT_EQ(dialog.height_field()->text(), "0");
    dialog.ok_button()->click();
    dialog.width_field()->setText("8");
    EXPECT_EQ(dialog.height_field()->text(), "4");
    dialog.ok_button()->click();
  }));
  dialogs_.Drive(As<FrameSizeDialog>([](FrameSizeDialog& dialog) {
    EXPECT_EQ(dialog.smooth(), nullptr);
    dialog.keep_aspect()->setChecked(false);
    dialog.width_field()->setText("10");
    dialog.ok_button()->click();
  }));
  dialogs_.PickFile("broken.png").PickFile("wide.png").Cancel().PickFile("wide.png");
  dialogs_.Drive(As<AddFrameDialog>([](AddFrameDialog& dialog) {
    EXPECT_EQ(test::Clipped(dialog, "add_frame"), Strings{});
    EXPECT_TRUE(dialog.choice("Resize all frames to the new image size (6 x 3)")->isChecked());
    ClickButton(dialog, "OK");
  }));
  Drive([](FrameEditor& editor) {
    for (const char* item : {"Grayscale", "Resize canvas", "Duplicate frame"})
      editor.action(item)->trigger();
  });
  Open();
  Open("spr_none");
  const std::string refused = std::string("Error: ") + kRefusedSizeText;
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  EXPECT_EQ(dialogs_.Boxes()[0] + dialogs_.Boxes()[1], refused + refused);
  EXPECT_EQ(dialogs_.Boxes()[2].rfind("Error: The image \"broken.png\" could not be loaded", 0),
            0u);
  EXPECT_EQ(dialogs_.shown().back().title, "Edit sprite frames");  // no window after it
}

// A stroke on the canvas, in the colour asked for through the primary
// swatch, is one step of the history; undo takes it back, on the canvas too.
TEST_F(ImageWindowTest, AStrokeIsOneStepThatUndoTakesBack) {
  const Images before = Pictures();
  Drive([&before](FrameEditor& editor) {
    editor.panel()->swatch(true)->click();
    Key(&editor, Qt::Key_E, Qt::NoModifier);
    Key(&editor, Qt::Key_B, Qt::NoModifier);
    ASSERT_EQ(editor.tool(), DrawToolKind::Pencil);
    CanvasTool& pencil = *editor.canvas()->tool();
    pencil.Press({0, 0, Qt::LeftButton, Qt::LeftButton});
    pencil.Move({3, 1, Qt::NoButton, Qt::LeftButton});
    pencil.Release({3, 1, Qt::LeftButton, Qt::NoButton});
    Image drawn = before[0];
    DrawLine(drawn, {0, 0}, {3, 1}, 1, kGreen);
    EXPECT_EQ(*editor.stack().project().frames[0].image, drawn);
    EXPECT_EQ(editor.stack().count(), 1);
    Key(&editor, Qt::Key_Z);
    EXPECT_EQ(*editor.stack().project().frames[0].image, before[0]);
    EXPECT_EQ(editor.draw_state().image, before[0]);
  });
  dialogs_.PickColor(kGreen);
  Open();
}

// A picture on the clipboard pastes as a new frame; a selection copies to
// the clipboard, and Delete then clears it instead of deleting the frame.
TEST_F(ImageWindowTest, TheClipboardPastesAPictureAsANewFrame) {
  const Image picture = test::Numbered(4, 2, true);
  Drive([this, &picture](FrameEditor& editor) {
    QGuiApplication::clipboard()->setImage(ToQImage(picture));
    Key(&editor, Qt::Key_V, kCtrl | Qt::ShiftModifier);
    ASSERT_EQ(Pictures().size(), 4u);
    EXPECT_EQ(Pictures()[3], picture);
    editor.action("Select")->trigger();
    CanvasTool& select = *editor.canvas()->tool();
    select.Press({1, 0, Qt::LeftButton, Qt::LeftButton});
    select.Release({2, 1, Qt::LeftButton, Qt::NoButton});
    Key(&editor, Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->image(), ToQImage(picture.Copy(1, 0, 2, 2)));
    Key(&editor, Qt::Key_Delete, Qt::NoModifier);
    Image cleared = picture;
    cleared.FillRect(1, 0, 2, 2, test::kClear);
    ASSERT_EQ(Pictures().size(), 4u);
    EXPECT_EQ(Pictures()[3], cleared);
  });
  Open();
}

// A strip that cannot be saved says why; a cancelled requester or a
// sprite without frames writes nothing.
TEST_F(ImageWindowTest, AStripThatCannotBeSavedSaysWhy) {
  dialogs_.PickFile("missing/balls").Cancel();
  for (const char* sprite : {"spr_ball", "spr_ball", "spr_none"})
    EXPECT_FALSE(SaveSpriteStrip(nullptr, project_, sprite));
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(
      dialogs_.Boxes()[0].rfind("Error: The strip could not be saved as \"missing/balls.png\"", 0),
      0u);
}

// Each effect's window, its controls used as a person would (a number typed
// and clamped, a slider moved with "#", a box, a choice or a button
// clicked): slider and field agree, and the preview and what OK applies
// are the effect with those values. Nothing is clipped.
TEST_F(ImageWindowTest, EachEffectsControlsReachItsFunction) {
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
      if (dialog.slider(label) && text != "x") {
        EXPECT_EQ(dialog.field(label)->text(), QString::number(dialog.slider(label)->value()));
      }
    }
    EXPECT_EQ(dialog.preview(), c.expected) << EffectTitle(c.kind);
    EXPECT_EQ(dialog.Chosen()(f), c.expected) << EffectTitle(c.kind);
    EXPECT_TRUE(dialog.apply_all());
    EXPECT_EQ(test::Clipped(dialog, EffectTitle(c.kind)), Strings{});
  }
  EffectDialog rotate(nullptr, EffectKind::Rotate, frame_);
  EXPECT_FALSE(rotate.slider("Angle")->isEnabled());  // until "Free" is chosen
}

// Noise adds nothing until a change, then draws a new plane on every
// change, the one shown being the one applied.
TEST_F(ImageWindowTest, NoiseDrawsANewPlaneOnEveryChange) {
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

// A broken file says why; a cancelled requester or a closed window change
// nothing; the window shows the strip and its size, refuses counts of 0 or
// more than the strip has pixels with a message and stays open, and the
// counts typed cut the strip. Nothing is clipped.
TEST_F(ImageWindowTest, StripImportCutsTheStripByTheCountsTyped) {
  const Image strip = test::Numbered(8, 4, true);
  ASSERT_TRUE(SavePng(strip, "strip.png"));
  test::WriteAll("broken.png", "no picture");
  const std::vector<Frame> before = project_.frames;
  const auto cut = [](QDialog& window) {
    auto& dialog = static_cast<StripImportDialog&>(window);
    EXPECT_EQ(test::Clipped(dialog, "strip_import"), Strings{});
    EXPECT_EQ(dialog.columns_field()->text() + dialog.rows_field()->text(), "11");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains("Dimensions: 8 x 4 pixels"));
    EXPECT_EQ(dialog.canvas()->picture_width(), 8);
    for (const char* count : {"0", "9", "2"}) {
      dialog.columns_field()->setText(count);
      dialog.import_button()->click();
    }
  };
  dialogs_.PickFile("broken.png").Cancel();
  dialogs_.PickFile("strip.png").Drive([](QDialog& window) { window.reject(); });
  dialogs_.PickFile("strip.png").Drive(cut);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(ImportImageStrip(nullptr, project_, 0));
  EXPECT_EQ(project_.frames, before);
  EXPECT_TRUE(ImportImageStrip(nullptr, project_, 0));
  EXPECT_EQ(dialogs_.shown()[0].title, "Select an image strip");
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The image \"broken.png\" could not be loaded", 0),
            0u);
  EXPECT_EQ(
      dialogs_.Boxes()[1] + dialogs_.Boxes()[2],
      "Error: Invalid column or row number" + std::string("Error: Invalid column or row number"));
  const std::vector<int> frames = SpriteFrames(project_, "spr_ball");
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(*project_.frames[frames[1]].image, strip.Copy(4, 0, 4, 4));
}

// The grid over the strip: a line at the left edge of each cell past the
// first, one at the far edges, only in the part asked for; none without a
// whole grid.
TEST(StripImportGrid, LinesBetweenTheCellsAndAtTheFarEdges) {
  Image whole = Image::Transparent(8, 4), part = Image::Transparent(3, 4), none = whole;
  PaintCellGrid(whole, 0, 0, 8, 4, 2, 2);
  PaintCellGrid(part, 3, 0, 8, 4, 2, 2);
  PaintCellGrid(none, 0, 0, 8, 4, 0, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(whole.Pixel(x, y).a != 0, x == 4 || x == 7 || y == 2 || y == 3);
  EXPECT_EQ(part, whole.Copy(3, 0, 3, 4));
  EXPECT_EQ(none, Image::Transparent(8, 4));
}

}  // namespace
}  // namespace vorlane
