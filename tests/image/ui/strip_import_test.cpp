#include "image/ui/strip_import.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/canvas.h"
#include "image/frame_edits.h"
#include "image/ui/image_editor.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

constexpr Color kQuarters[4] = {
    {250, 0, 0, 255}, {0, 250, 0, 255}, {0, 0, 250, 255}, {250, 250, 0, 255}};

class StripImportTest : public test::DialogTest {
 protected:
  StripImportTest() {
    // An 8 x 4 strip of four 4 x 2 cells, one colour each.
    Image strip = Image::Transparent(8, 4);
    for (int i = 0; i < 4; ++i) strip.FillRect(i % 2 * 4, i / 2 * 2, 4, 2, kQuarters[i]);
    EXPECT_TRUE(SavePng(strip, "strip.png"));
    project_.sprites.push_back(Sprite{.name = "spr_hero", .centerx = 9});
    project_.frames.push_back(
        Frame{.file = "0", .sprite = "spr_hero", .image = ShareImage(Image::Opaque(3, 3))});
  }
  Project project_;
};

TEST_F(StripImportTest, ZeroColumnsIsRefusedThenTwoByTwoMakesFourFramesRowByRow) {
  dialogs_.PickFile("strip.png").Drive([](QDialog& window) {
    auto& dialog = static_cast<StripImportDialog&>(window);
    EXPECT_EQ(dialog.windowTitle(), "Importing image strips");
    EXPECT_EQ(dialog.columns_field()->text(), "1");
    EXPECT_EQ(dialog.rows_field()->text(), "1");
    bool dimensions = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
      dimensions |= label->text() == "Dimensions: 8 x 4 pixels";
    EXPECT_TRUE(dimensions);
    EXPECT_EQ(dialog.canvas()->picture_width(), 8);
    dialog.columns_field()->setText("0");
    dialog.import_button()->click();  // refused: the window stays
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.columns_field()->setText("2000000000");  // more cells than pixels
    dialog.import_button()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.columns_field()->setText("2");
    dialog.rows_field()->setText("2");
    EXPECT_EQ(dialog.import_button()->text(), " Import! ");
    dialog.import_button()->click();
  });
  EXPECT_TRUE(ImportImageStrip(nullptr, project_, 0));
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>(2, "Error: Invalid column or row number"));
  EXPECT_EQ(dialogs_.shown()[0].title, "Select an image strip");
  const std::vector<int> frames = SpriteFrames(project_, "spr_hero");
  ASSERT_EQ(frames.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const Frame& frame = project_.frames[static_cast<size_t>(frames[static_cast<size_t>(i)])];
    EXPECT_EQ(frame.file, std::to_string(i));
    ASSERT_NE(frame.image, nullptr);
    EXPECT_EQ(frame.image->width(), 4);
    EXPECT_EQ(frame.image->height(), 2);
    EXPECT_EQ(frame.image->Pixel(1, 1), kQuarters[i]);
  }
  EXPECT_EQ(project_.sprites[0].centerx, 0);
}

TEST_F(StripImportTest, ClosingTheWindowOrNoUsableFileChangesNothing) {
  const std::vector<Frame> before = project_.frames;
  test::WriteAll("broken.png", "no picture");
  dialogs_.PickFile("strip.png")
      .Drive([](QDialog& window) {
        static_cast<StripImportDialog&>(window).columns_field()->setText("2");
        window.reject();  // the window's close button
      })
      .Cancel()
      .PickFile("broken.png")
      .PickFile("strip.png")
      .Cancel();
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(ImportImageStrip(nullptr, project_, 0));
  EXPECT_EQ(project_.frames, before);
  const std::vector<std::string> boxes = dialogs_.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("Error: The image \"broken.png\" could not be loaded", 0), 0u);
}

TEST_F(StripImportTest, TheGridFollowsTheNumbers) {
  Image part = Image::Transparent(8, 4);
  PaintCellGrid(part, 0, 0, 8, 4, 2, 2);
  EXPECT_EQ(part.Pixel(4, 0).a, 200);  // between the columns
  EXPECT_EQ(part.Pixel(0, 2).a, 200);  // between the rows
  EXPECT_EQ(part.Pixel(7, 1).a, 200);  // the far edges
  EXPECT_EQ(part.Pixel(1, 3).a, 200);
  EXPECT_EQ(part.Pixel(1, 1).a, 0);
  Image none = Image::Transparent(8, 4);
  PaintCellGrid(none, 0, 0, 8, 4, 0, 2);
  EXPECT_EQ(none, Image::Transparent(8, 4));
  // Only the part asked for is drawn: a part to the right of the first
  // column line shows the second.
  Image right = Image::Transparent(3, 4);
  PaintCellGrid(right, 3, 0, 8, 4, 2, 2);
  EXPECT_EQ(right.Pixel(1, 0).a, 200);
  EXPECT_EQ(right.Pixel(0, 0).a, 0);
}

}  // namespace
}  // namespace vorlane
