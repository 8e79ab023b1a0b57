#include "image/ui/strip_import.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/canvas.h"
#include "image/frame_edits.h"
#include "image/test_pictures.h"
#include "image/ui/image_editor.h"
#include "image/ui/window_check.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using StripImportTest = test::DialogTest;

// A broken file says why; a cancelled requester or a closed window change
// nothing; the window shows the strip and its size, refuses counts of 0 or
// more than the strip has pixels with a message and stays open, and the
// counts typed cut the strip. Nothing is clipped.
TEST_F(StripImportTest, TheCountsTypedCutTheStrip) {
  const Image strip = test::Numbered(8, 4, true);
  ASSERT_TRUE(SavePng(strip, "strip.png"));
  test::WriteAll("broken.png", "no picture");
  Project project;
  project.sprites.push_back(Sprite{.name = "spr_hero"});
  project.frames.push_back(Frame{"0", "spr_hero", ShareImage(Image::Opaque(3, 3))});
  const std::vector<Frame> before = project.frames;
  const auto cut = [](QDialog& window) {
    auto& dialog = static_cast<StripImportDialog&>(window);
    test::ExpectNothingClipped(dialog, "strip_import");
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
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(ImportImageStrip(nullptr, project, 0));
  EXPECT_EQ(project.frames, before);
  EXPECT_TRUE(ImportImageStrip(nullptr, project, 0));
  EXPECT_EQ(dialogs_.shown()[0].title, "Select an image strip");
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The image \"broken.png\" could not be loaded", 0),
            0u);
  EXPECT_EQ(
      dialogs_.Boxes()[1] + dialogs_.Boxes()[2],
      "Error: Invalid column or row number" + std::string("Error: Invalid column or row number"));
  ASSERT_EQ(SpriteFrames(project, "spr_hero").size(), 2u);
  EXPECT_EQ(*project.frames[1].image, strip.Copy(4, 0, 4, 4));
}

// The grid over the strip: lines between the cells and at the far edges,
// only in the part asked for; none without a whole grid.
TEST(StripImportGrid, LinesFollowTheCounts) {
  Image part = Image::Transparent(8, 4);
  PaintCellGrid(part, 0, 0, 8, 4, 2, 2);
  for (auto [x, y] : {std::pair(4, 0), std::pair(0, 2), std::pair(7, 1), std::pair(1, 3)})
    EXPECT_EQ(part.Pixel(x, y).a, 200) << x << "," << y;
  EXPECT_EQ(part.Pixel(1, 1).a, 0);
  Image right = Image::Transparent(3, 4);
  PaintCellGrid(right, 3, 0, 8, 4, 2, 2);
  EXPECT_EQ(right.Pixel(1, 0).a, 200);
  EXPECT_EQ(right.Pixel(0, 0).a, 0);
  Image none = Image::Transparent(8, 4);
  PaintCellGrid(none, 0, 0, 8, 4, 0, 2);
  EXPECT_EQ(none, Image::Transparent(8, 4));
}

}  // namespace
}  // namespace vorlane
