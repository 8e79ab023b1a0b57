#include "image/ui/strip_import.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "gui/ui/canvas.h"
#include "image/frame_edits.h"
#include "image/ui/image_editor.h"
#include "image/ui/window_check.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

constexpr Color kQuarters[4] = {
    {250, 0, 0, 255}, {0, 250, 0, 255}, {0, 0, 250, 255}, {250, 250, 0, 255}};

class StripImportTest : public test::DialogTest {
 protected:
  // An 8 x 4 strip of four 4 x 2 cells, one colour each.
  StripImportTest() {
    Image strip = Image::Transparent(8, 4);
    for (int i = 0; i < 4; ++i) strip.FillRect(i % 2 * 4, i / 2 * 2, 4, 2, kQuarters[i]);
    EXPECT_TRUE(SavePng(strip, "strip.png"));
    project_.sprites.push_back(Sprite{.name = "spr_hero", .centerx = 9});
    project_.frames.push_back(
        Frame{.file = "0", .sprite = "spr_hero", .image = ShareImage(Image::Opaque(3, 3))});
  }
  Project project_;
};

// The window shows the strip and its size; counts of 0 or more than the
// strip has pixels are refused with a message and the window stays; 2 x 2
// makes four frames row by row.
TEST_F(StripImportTest, TheNumbersTypedCutTheStrip) {
  dialogs_.PickFile("strip.png").Drive([](QDialog& window) {
    auto& dialog = static_cast<StripImportDialog&>(window);
    test::ExpectNothingClipped(dialog, "strip_import");
    EXPECT_EQ(dialog.columns_field()->text() + dialog.rows_field()->text(), "11");
    const auto labels = dialog.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
      return label->text() == "Dimensions: 8 x 4 pixels";
    }));
    EXPECT_EQ(dialog.canvas()->picture_width(), 8);
    for (const char* refused : {"0", "2000000000"}) {
      dialog.columns_field()->setText(refused);
      dialog.import_button()->click();
      EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    dialog.columns_field()->setText("2");
    dialog.rows_field()->setText("2");
    dialog.import_button()->click();
  });
  EXPECT_TRUE(ImportImageStrip(nullptr, project_, 0));
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>(2, "Error: Invalid column or row number"));
  EXPECT_EQ(dialogs_.shown()[0].title, "Select an image strip");
  const std::vector<int> frames = SpriteFrames(project_, "spr_hero");
  ASSERT_EQ(frames.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const Frame& frame = project_.frames[frames[i]];
    EXPECT_EQ(frame.file, std::to_string(i));
    EXPECT_EQ(frame.image->width() * 10 + frame.image->height(), 42);
    EXPECT_EQ(frame.image->Pixel(1, 1), kQuarters[i]);
  }
  EXPECT_EQ(project_.sprites[0].centerx, 0);
}

// Closing the window, a cancelled requester, a broken file (with a message)
// or a cancelled window change nothing.
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
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The image \"broken.png\" could not be loaded", 0),
            0u);
}

// The grid drawn over the strip: lines between the cells and at the far
// edges, only in the part asked for; none without a whole grid.
TEST_F(StripImportTest, TheGridFollowsTheNumbers) {
  Image part = Image::Transparent(8, 4);
  PaintCellGrid(part, 0, 0, 8, 4, 2, 2);
  for (auto [x, y] : {std::pair(4, 0), std::pair(0, 2), std::pair(7, 1), std::pair(1, 3)})
    EXPECT_EQ(part.Pixel(x, y).a, 200) << x << "," << y;
  EXPECT_EQ(part.Pixel(1, 1).a, 0);
  Image none = Image::Transparent(8, 4);
  PaintCellGrid(none, 0, 0, 8, 4, 0, 2);
  EXPECT_EQ(none, Image::Transparent(8, 4));
  Image right = Image::Transparent(3, 4);
  PaintCellGrid(right, 3, 0, 8, 4, 2, 2);
  EXPECT_EQ(right.Pixel(1, 0).a, 200);
  EXPECT_EQ(right.Pixel(0, 0).a, 0);
}

}  // namespace
}  // namespace vorlane
