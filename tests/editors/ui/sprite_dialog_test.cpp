#include "editors/ui/sprite_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "editors/sprite_edits.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "image/ui/strip_import.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class SpriteDialogTest : public test::DialogTest {
 protected:
  SpriteDialogTest() {
    project_.sprites.push_back(Sprite{.name = "spr_hero"});
    project_.sprites.push_back(Sprite{.name = "spr_bare"});
    for (const char* number : {"0", "1"})
      project_.frames.push_back(Frame{number, "spr_hero", ShareImage(Image::Transparent(16, 16))});
    project_.objects.push_back(GameObject{.name = "obj_hero", .sprite = "spr_hero"});
    project_.objects.push_back(GameObject{
        .prototype = 0, .template_ = "obj_hero", .name = "SceneObject1", .sprite = "spr_hero"});
    SpritePreview() = SpritePreviewSettings{};
  }
  ScriptedDialogs& Drive(std::function<void(SpriteDialog&)> act) {
    return dialogs_.Drive([act](QDialog& window) { act(static_cast<SpriteDialog&>(window)); });
  }
  Project project_;
};

TEST_F(SpriteDialogTest, FieldsReachTheSpriteAsTheyAreTyped) {
  Drive([this](SpriteDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Sprite properties - spr_hero");
    EXPECT_EQ(dialog.size_label()->text(), "Size: 16 x 16");
    dialog.origin_x()->setText("999");  // wider than the frame: kept as it was
    EXPECT_EQ(project_.sprites[0].centerx, 0);
    dialog.origin_x()->setText("-5");
    EXPECT_EQ(project_.sprites[0].centerx, -5);
    ClickButton(dialog, "Center");
    EXPECT_EQ(project_.sprites[0].centerx, 8);
    EXPECT_EQ(dialog.origin_y()->text(), "8");
    dialog.shape_list()->setCurrentText("Circle");
    dialog.shape_field(0)->setText("6");
    EXPECT_EQ(project_.sprites[0].collisionshape, "Circle");
    dialog.delete_button()->click();  // No: the radius stays
    dialog.name_field()->setText("spr_bare");
    dialog.done_button()->click();  // refused
    dialog.name_field()->setText("spr_player");
    dialog.done_button()->click();
  }).AnswerNo();
  EditSprite(nullptr, project_, "spr_hero");
  EXPECT_EQ(dialogs_.Boxes().back(), "Error: The sprite name 'spr_bare' already exists");
  EXPECT_EQ(project_.sprites[0].name, "spr_player");
  EXPECT_EQ(project_.sprites[0].collisionradius, 6);
  EXPECT_EQ(project_.frames[1].sprite, "spr_player");
  EXPECT_EQ(project_.objects[0].sprite, "spr_player");
  EXPECT_EQ(project_.objects[1].sprite, "spr_player");
  EXPECT_EQ(project_.modified, 1);
}

TEST_F(SpriteDialogTest, ZoomSizesThePreviewAndOnlyAnimationsTick) {
  Drive([](SpriteDialog& dialog) {
    EXPECT_TRUE(dialog.animation().isActive());
    EXPECT_EQ(dialog.animation().interval(), 33);
    dialog.zoom_slider()->setValue(4);
    EXPECT_EQ(dialog.preview()->picture_width(), 64);
    dialog.speed_field()->setText("0");  // ignored
    EXPECT_EQ(dialog.animation().interval(), 33);
    dialog.speed_field()->setText("10");
    EXPECT_EQ(dialog.animation().interval(), 100);
    dialog.done_button()->click();
  });
  Drive([](SpriteDialog& dialog) {
    // Settings last for the run; a sprite without frames shows nothing.
    EXPECT_EQ(dialog.zoom_slider()->value(), 4);
    EXPECT_EQ(dialog.size_label()->text(), "");
    EXPECT_FALSE(dialog.animation().isActive());
    EXPECT_EQ(dialog.preview()->picture_width(), 0);
    ClickButton(dialog, "Center");  // does nothing
    dialog.done_button()->click();
  });
  EditSprite(nullptr, project_, "spr_hero");
  EditSprite(nullptr, project_, "spr_bare");
  EXPECT_EQ(project_.sprites[1].centerx, 0);
}

TEST_F(SpriteDialogTest, LoadAndEditReachTheFramesAndThePreviewFollows) {
  Image strip = Image::Transparent(40, 10);
  strip.FillRect(0, 0, 40, 10, Color{1, 2, 3, 255});
  ASSERT_TRUE(SavePng(strip, "strip.png"));
  Drive([](SpriteDialog& dialog) {
    ClickButton(dialog, "Load...");
    EXPECT_EQ(dialog.size_label()->text(), "Size: 10 x 10");
    EXPECT_EQ(dialog.shape_field(2)->text(), "10");  // the box fits one cell
    ClickButton(dialog, "Edit");
    dialog.done_button()->click();
  })
      .PickFile("strip.png")
      .Drive([](QDialog& window) {
        auto& import = static_cast<StripImportDialog&>(window);
        import.columns_field()->setText("4");
        import.import_button()->click();
      })
      .Drive([](QDialog& window) { ClickButton(window, "Done"); });
  EditSprite(nullptr, project_, "spr_hero");
  ASSERT_EQ(project_.frames.size(), 4u);
  EXPECT_EQ(project_.frames[3].file, "3");
  EXPECT_EQ(project_.sprites[0].collisionradius, 5);
}

}  // namespace
}  // namespace vorlane
