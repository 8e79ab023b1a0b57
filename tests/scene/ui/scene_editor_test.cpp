#include "scene/ui/scene_editor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "project/thumbnails.h"
#include "scene/layer_edits.h"
#include "scene/ui/scene_dialogs.h"
#include "scene/ui/tiles_tab.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using test::As;
using test::Key;
using Strings = std::vector<std::string>;

using At = std::vector<std::pair<int, int>>;

PointerEvent Click(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
  return PointerEvent{x, y, Qt::LeftButton, held};
}

class SceneEditorTest : public test::DialogTest {
 protected:
  // "hall", 200 x 100, one layer; obj_box (depth 4, no sprite) to place;
  // a 64 x 64 tile set cut into 16 x 16 tiles.
  SceneEditorTest() {
    project_.scenes = {Scene{.name = "hall", .width = 200, .height = 100}, Scene{.name = "yard"}};
    project_.layers.push_back(Layer{"layer_1", 1000000, "hall"});
    project_.objects.push_back(GameObject{.name = "obj_box", .depth = 4});
    project_.backgrounds.push_back(Background{
        .name = "bg_tiles", .file = "tiles.png", .tile = 1, .tilewidth = 16, .tileheight = 16});
    project_.tempfolder = "work";
    SceneEditor::Grid() = EditorGrid{};  // every editor starts with the one last used
    MakeDirectory("work");
    EXPECT_TRUE(SavePng(Image::Opaque(64, 64), "work/tiles.png"));
  }
  void Open() {
    EditStack history(project_);
    OpenSceneEditor(nullptr, history, prefs_, keywords_, "hall");
  }
  At Instances() const {
    At at;
    for (const GameObject& record : project_.objects)
      if (record.prototype == 0) at.emplace_back(record.x, record.y);
    return at;
  }
  Project project_;
  Preferences prefs_;
  KeywordList keywords_;
};

// The canvas places through the Objects tab's tool; the keys and the undo
// button reach the history; New asks first; fields and boxes reach the
// scene at once and follow undo; the grid field reaches the view; Done
// shows the decision's messages, then renames and makes the card.
TEST_F(SceneEditorTest, ControlsKeysAndDoneReachTheScene) {
  DriveWindow<SceneEditor>("Scene properties - hall", [this](SceneEditor& editor) {
    for (int tab = 0; tab < 4; ++tab) {
      editor.tabs()->setCurrentIndex(tab);
      EXPECT_EQ(editor.new_button()->isVisibleTo(&editor), tab % 2 == 1);
    }
    editor.tabs()->setCurrentIndex(1);
    for (int x : {47, 87}) editor.canvas()->tool()->Press(Click(x, 33));
    EXPECT_EQ(Instances(), (At{{40, 20}, {80, 20}}));  // snapped to the grid of 20
    Key(&editor, Qt::Key_Z);
    editor.undo_button()->click();
    EXPECT_FALSE(editor.undo_button()->isEnabled());
    Key(&editor, Qt::Key_Y);
    Key(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Instances().size(), 2u);
    editor.new_button()->click();  // No
    editor.new_button()->click();  // Yes
    EXPECT_TRUE(Instances().empty());

    editor.field("width")->setText("300");
    editor.check("Stretch")->click();
    EXPECT_EQ(project_.scenes[0].width * 10 + project_.scenes[0].backgroundstretch, 3001);
    EXPECT_EQ(editor.canvas()->picture_width(), 300);
    editor.undo_button()->click();
    EXPECT_FALSE(editor.check("Stretch")->isChecked());  // the window follows the history
    editor.grid_size_field()->setText("5");
    EXPECT_EQ(SceneEditor::Grid().size, 5);

    editor.name_field()->setText("");
    editor.done_button()->click();  // a message, still open
    editor.name_field()->setText("cellar");
    editor.field("speed")->setText("2");
    editor.done_button()->click();
  });
  dialogs_.AnswerNo().AnswerYes();
  Open();
  EXPECT_EQ(dialogs_.Boxes(),
            (std::vector<std::string>{"Confirm: Delete all objects in this scene?",
                                      "Confirm: Delete all objects in this scene?",
                                      "Error: The scene name is missing"}));
  EXPECT_EQ(project_.scenes[0].speed, 2);
  EXPECT_EQ(project_.layers[0].scene, "cellar");
  ASSERT_NE(SceneCardOf(project_, "cellar"), nullptr);
  EXPECT_EQ(project_.modified, 1);
}

// Each small window's fields reach the scene: instance properties, the
// shift of instances, the background colour and picture, the tile layers
// (a value taken is refused and the window stays), and the tile set view
// choosing what the canvas stamps.
TEST_F(SceneEditorTest, TheWindowsAndTheTilesTabReachTheScene) {
  dialogs_.Drive(As<SceneEditor>([this](SceneEditor& editor) {
    editor.tabs()->setCurrentIndex(1);
    editor.canvas()->tool()->Press(Click(40, 40));
    editor.edit_instance_button()->click();  // nothing selected: no window
    editor.instance_action()->setCurrentIndex(1);
    editor.canvas()->tool()->Press(Click(40, 40));
    editor.edit_instance_button()->click();
    editor.shift_button()->click();
    EXPECT_EQ(Instances(), (At{{17, 22}}));
    ClickButton(*editor.tabs()->widget(2), "...");
    editor.background_list()->setCurrentText("bg_tiles");
    EXPECT_EQ(project_.scenes[0].blue * 1000 + project_.scenes[0].background.size(), 30008u);

    editor.tabs()->setCurrentIndex(3);
    TilesTab& tiles = *editor.tiles_tab();
    EXPECT_EQ(tiles.layer_list()->currentText(), "3");  // the scene's first layer
    tiles.solid_box()->click();
    tiles.layer_list()->setCurrentText("1000000");
    EXPECT_EQ(std::pair(LayerSolid(project_, "hall", 3), tiles.solid_box()->isChecked()),
              std::pair(true, false));
    tiles.layer_list()->setCurrentText("3");
    EXPECT_TRUE(tiles.solid_box()->isChecked());
    tiles.tile_set_canvas()->tool()->Press(Click(20, 20));
    tiles.tile_set_canvas()->tool()->Release(Click(20, 20, Qt::NoButton));
    editor.canvas()->tool()->Press(Click(25, 25));
    ASSERT_EQ(project_.tiles.size(), 1u);
    EXPECT_EQ((std::vector{project_.tiles[0].left, project_.tiles[0].x, project_.tiles[0].depth}),
              (std::vector{16, 20, 3}));
    tiles.action_list()->setCurrentIndex(2);
    editor.canvas()->tool()->Press(Click(25, 25));
    EXPECT_TRUE(project_.tiles.empty());
    ClickButton(tiles, "Add");  // 3 exists, then 7
    ClickButton(tiles, "Change...");
    EXPECT_EQ(LayerValues(project_, "hall"), (std::vector<int>{3, 1000000, 8}));
    for (int i = 0; i < 3; ++i) ClickButton(tiles, "Delete");  // 8, 3, then the last
    EXPECT_EQ(LayerValues(project_, "hall"), (std::vector<int>{1000000}));
    editor.done_button()->click();
  }));
  dialogs_.Drive(As<InstanceDialog>([](InstanceDialog& dialog) {
    EXPECT_EQ(test::Clipped(dialog, "instance"), Strings{});
    EXPECT_EQ(dialog.windowTitle(), "Instance properties - SceneObject2");
    dialog.field(0)->setText("12");
    ClickButton(dialog, "OK");
  }));
  dialogs_.Drive(As<ShiftDialog>([](ShiftDialog& dialog) {
    EXPECT_EQ(test::Clipped(dialog, "shift"), Strings{});
    EXPECT_EQ(dialog.horizontal()->text(), "20");
    dialog.horizontal()->setText("5");
    dialog.vertical()->setText("-18");
    ClickButton(dialog, "OK");
  }));
  dialogs_.PickColor(Color{10, 20, 30, 255});
  dialogs_.Drive(As<LayerDepthDialog>([](LayerDepthDialog& dialog) {
    EXPECT_EQ(test::Clipped(dialog, "layer"), Strings{});
    dialog.ok_button()->click();  // 3: refused, the window stays
    dialog.depth()->setText("7");
    dialog.ok_button()->click();
  }));
  dialogs_.Drive([](QDialog& window) {
    static_cast<LayerDepthDialog&>(window).depth()->setText("8");
    ClickButton(window, "OK");
  });
  dialogs_.AnswerYes().AnswerYes().AnswerYes();
  project_.layers.insert(project_.layers.begin(), Layer{"layer_0", 3, "hall"});
  Open();
  EXPECT_EQ(dialogs_.Boxes()[0], "Error: Depth already exists");
}

}  // namespace
}  // namespace vorlane
