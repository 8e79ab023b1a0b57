#include "editors/ui/background_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <climits>
#include <filesystem>

#include "editors/ui/editor_dialogs.h"
#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "project/thumbnails.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

constexpr char kFolder[] = "_temp_bg";

Image Filled(int w, int h, Color color) {
  Image image = Image::Opaque(w, h);
  image.Fill(color);
  return image;
}

class BackgroundDialogTest : public test::DialogTest {
 protected:
  Project project_;
  void SetUp() override {
    std::filesystem::create_directory(kFolder);
    std::filesystem::create_directory("picked");
    ASSERT_TRUE(SavePng(Filled(64, 64, Color{0, 128, 0, 255}), std::string(kFolder) + "/set.png"));
    project_.tempfolder = kFolder;
    project_.backgrounds = {{.name = "bg_set",
                             .file = "set.png",
                             .tile = 1,
                             .tilewidth = 32,
                             .tileheight = 32,
                             .tilexoffset = 1,
                             .tileyoffset = 2,
                             .tilexspace = 3,
                             .tileyspace = 4},
                            {.name = "bg_sky"}};
    project_.scenes = {{.name = "level", .background = "bg_set"}};
    project_.tiles = {{.name = "near",
                       .background = "bg_set",
                       .left = 0,
                       .top = 0,
                       .width = 8,
                       .height = 8,
                       .scene = "level"},
                      {.name = "far",
                       .background = "bg_set",
                       .left = 40,
                       .top = 0,
                       .width = 8,
                       .height = 8,
                       .scene = "level"}};
  }
  // A picture in a folder of its own, as the user picks it.
  std::string Picked(const std::string& name, const Image& image) {
    const std::string path = dir_.path() + "/picked/" + name;
    EXPECT_TRUE(SavePng(image, path));
    return path;
  }
  void Edit(const std::string& name = "bg_set") { EditBackground(nullptr, project_, name); }
  static BackgroundDialog& Of(QDialog& window) { return static_cast<BackgroundDialog&>(window); }
};

QImage Shown(BackgroundDialog& dialog) { return dialog.canvas()->grab().toImage(); }

TEST_F(BackgroundDialogTest, LayoutPreviewAndTheTilePanelFollowingTheCheckBox) {
  dialogs_.Drive([](QDialog& window) {
    BackgroundDialog& dialog = Of(window);
    EXPECT_EQ(dialog.windowTitle(), "Background properties - bg_set");
    EXPECT_EQ(dialog.size(), QSize(800, 600));
    EXPECT_EQ(dialog.name_field()->geometry(), QRect(10, 10, 100, 25));
    EXPECT_EQ(dialog.file_label()->geometry(), QRect(10, 45, 100, 25));
    EXPECT_EQ(dialog.file_label()->text(), "File: set.png");
    EXPECT_EQ(dialog.select_button()->geometry(), QRect(10, 70, 100, 25));
    EXPECT_EQ(dialog.preview_area()->geometry(), QRect(120, 10, 670, 540));
    EXPECT_EQ(dialog.preview_area()->verticalScrollBar()->singleStep(), 16);
    EXPECT_EQ(dialog.canvas()->size(), QSize(64, 64));
    EXPECT_EQ(dialog.tile_box()->geometry(), QRect(10, 105, 100, 25));
    EXPECT_EQ(dialog.done_button()->geometry(), QRect(725, 565, 65, 25));
    EXPECT_EQ(dialog.delete_button()->geometry(), QRect(10, 565, 65, 25));
    EXPECT_EQ(dialog.field(BackgroundDialog::kYSpace)->geometry(), QRect(50, 240, 30, 25));
    EXPECT_EQ(dialog.field(BackgroundDialog::kXOffset)->text(), "1");

    // On: the panel in sight and the grid drawn; cell (0, 0) starts at the
    // offsets (1, 2) and the grid follows the numbers as they are typed.
    EXPECT_EQ(dialog.tile_panel()->geometry(), QRect(10, 130, 100, 280));
    const QRgb green = qRgb(0, 128, 0), inverted = qRgb(255, 127, 255);
    EXPECT_EQ(Shown(dialog).pixel(5, 2), inverted);
    EXPECT_EQ(Shown(dialog).pixel(5, 1), green);
    dialog.field(BackgroundDialog::kYOffset)->setText("1");
    EXPECT_EQ(Shown(dialog).pixel(5, 1), inverted);
    dialog.tile_box()->click();
    EXPECT_EQ(dialog.tile_panel()->geometry(), QRect(10000, 130, 100, 280));
    EXPECT_EQ(Shown(dialog).pixel(5, 1), green);
    dialog.tile_box()->click();
    EXPECT_EQ(dialog.tile_panel()->x(), 10);
    dialog.tile_box()->click();
    dialog.field(BackgroundDialog::kWidth)->setText("99999999999");
    dialog.done_button()->click();
  });
  Edit();
  const Background& stored = project_.backgrounds[0];
  EXPECT_EQ(stored.tile, 0);
  EXPECT_EQ(stored.tilewidth, INT_MAX);
  EXPECT_EQ(stored.tileyoffset, 1);
  EXPECT_EQ(stored.file, "set.png");
  EXPECT_EQ(project_.modified, 1);
}

TEST_F(BackgroundDialogTest, AChosenPictureTakesEffectAtOnceAndABadOneChangesNothing) {
  const Image narrow = Filled(32, 16, Color{200, 0, 0, 255});
  const std::string path = Picked("narrow.png", narrow);
  test::WriteAll("picked/text.png", "not a picture");
  dialogs_
      .Drive([&](QDialog& window) {
        BackgroundDialog& dialog = Of(window);
        dialog.select_button()->click();  // cancelled
        dialog.select_button()->click();  // not a picture
        EXPECT_EQ(dialog.pending(), "set.png");
        EXPECT_EQ(project_.tiles.size(), 2u);
        dialog.select_button()->click();
        EXPECT_EQ(dialog.file_label()->text(), "File: narrow.png");
        EXPECT_EQ(dialog.canvas()->size(), QSize(32, 16));
        // Before "Done": the tile beyond the new picture is gone, the
        // other cut anew, and the card shows the new picture.
        ASSERT_EQ(project_.tiles.size(), 1u);
        EXPECT_EQ(project_.tiles[0].name, "near");
        Image cut = Image::Transparent(8, 8);
        cut.Fill(Color{200, 0, 0, 255});
        EXPECT_EQ(*project_.tiles[0].image, cut);
        EXPECT_EQ(*project_.backgrounds[0].thumbnail, MakeCard(&narrow));
        dialog.done_button()->click();
      })
      .Cancel()
      .PickFile(dir_.path() + "/picked/text.png")
      .PickFile(path);
  Edit();
  ASSERT_EQ(dialogs_.shown().size(), 5u);
  EXPECT_EQ(dialogs_.shown()[1],
            (ScriptedDialogs::Shown{"open", "Select an image",
                                    "Image files(jpg, bmp, png)|*.jpg;*.bmp;"
                                    "*.png|JPG files(*.jpg)|*.jpg|BMP "
                                    "files(*.bmp)|*.bmp|PNG files(*.png)|*.png"}));
  EXPECT_EQ(dialogs_.Boxes(),
            std::vector<std::string>{"Error: The image \"" + dir_.path() +
                                     "/picked/text.png\" could not be loaded: it is not a PNG, "
                                     "JPEG or BMP picture."});
  EXPECT_EQ(project_.backgrounds[0].file, "narrow.png");
  EXPECT_EQ(LoadImageFile(std::string(kFolder) + "/narrow.png"), narrow);
}

TEST_F(BackgroundDialogTest, DoneChecksTheNameAndARenameReachesScenesAndTiles) {
  dialogs_.Drive([](QDialog& window) {
    BackgroundDialog& dialog = Of(window);
    for (const char* name : {"", "bg_sky", "2sky", "bg_ground"}) {
      EXPECT_NE(dialog.result(), QDialog::Accepted) << name;
      dialog.name_field()->setText(name);
      dialog.done_button()->click();
    }
  });
  Edit();
  const std::vector<std::string> boxes = dialogs_.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], "Error: The background name is missing");
  EXPECT_EQ(boxes[1], "Error: The background name 'bg_sky' already exists");
  EXPECT_EQ(boxes[2].rfind("Error: The background name '2sky' is not a valid name", 0), 0u);
  EXPECT_EQ(project_.backgrounds[0].name, "bg_ground");
  EXPECT_EQ(project_.scenes[0].background, "bg_ground");
  EXPECT_EQ(project_.tiles[0].background, "bg_ground");
  EXPECT_EQ(project_.tiles[1].background, "bg_ground");
}

TEST_F(BackgroundDialogTest, APictureGoneBeforeDoneIsNamedAndNothingIsStored) {
  const std::string path = Picked("gone.png", Filled(64, 64, Color{1, 2, 3, 255}));
  const std::string again = Picked("again.png", Filled(64, 64, Color{4, 5, 6, 255}));
  dialogs_
      .Drive([&](QDialog& window) {
        BackgroundDialog& dialog = Of(window);
        dialog.select_button()->click();
        std::filesystem::remove(path);
        dialog.name_field()->setText("bg_renamed");
        dialog.tile_box()->click();
        dialog.done_button()->click();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.pending(), path);
        EXPECT_EQ(project_.backgrounds[0].name, "bg_set");
        EXPECT_EQ(project_.backgrounds[0].file, "set.png");
        EXPECT_EQ(project_.backgrounds[0].tile, 1);
        EXPECT_EQ(project_.scenes[0].background, "bg_set");
        dialog.select_button()->click();
        dialog.done_button()->click();
      })
      .PickFile(path)
      .PickFile(again);
  Edit();
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>{"Error: The file \"" + path +
                                                       "\" could not be added: it no longer "
                                                       "exists."});
  EXPECT_EQ(project_.backgrounds[0].name, "bg_renamed");
  EXPECT_EQ(project_.backgrounds[0].file, "again.png");
  EXPECT_EQ(project_.backgrounds[0].tile, 0);
  EXPECT_EQ(LoadImageFile(std::string(kFolder) + "/again.png"),
            Filled(64, 64, Color{4, 5, 6, 255}));
}

TEST_F(BackgroundDialogTest, DeleteAsksAndAPictureThatWillNotLoadLeavesThePreviewEmpty) {
  project_.backgrounds[1].file = "missing.png";
  dialogs_
      .Drive([](QDialog& window) {
        BackgroundDialog& dialog = Of(window);
        EXPECT_EQ(dialog.canvas()->size(), QSize(0, 0));
        dialog.delete_button()->click();
        dialog.delete_button()->click();
      })
      .AnswerNo()
      .AnswerYes();
  Edit("bg_sky");
  EXPECT_EQ(dialogs_.Boxes(),
            (std::vector<std::string>{"Confirm: Do you really want to delete this background?",
                                      "Confirm: Do you really want to delete this background?"}));
  ASSERT_EQ(project_.backgrounds.size(), 1u);
  EXPECT_EQ(project_.backgrounds[0].name, "bg_set");
}

}  // namespace
}  // namespace vorlane
