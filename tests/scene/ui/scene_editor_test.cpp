#include "scene/ui/scene_editor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "gui/file_util.h"
#include "gui/ui/canvas.h"
#include "gui/ui/controls.h"
#include "project/project_file.h"
#include "scene/layer_edits.h"
#include "scene/ui/scene_dialogs.h"
#include "scene/ui/tiles_tab.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

PointerEvent Click(int x, int y) { return PointerEvent{x, y, Qt::LeftButton, Qt::LeftButton}; }

void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

int Instances(const Project& project) {
  int n = 0;
  for (const GameObject& record : project.objects) n += record.prototype == 0;
  return n;
}

class SceneEditorTest : public test::DialogTest {
 protected:
  SceneEditorTest() {
    project_.scenes.push_back(Scene{.name = "hall", .width = 200, .height = 100});
    project_.scenes.push_back(Scene{.name = "yard"});
    project_.layers.push_back(Layer{"layer_1", 1000000, "hall"});
    project_.objects.push_back(GameObject{.name = "obj_box", .depth = 4});
    project_.tempfolder = "work";
  }
  // Queues `act` to drive the editor of "hall"; it must end with Done.
  ScriptedDialogs& Drive(std::function<void(SceneEditor&)> act) {
    return dialogs_.Drive([act](QDialog& window) { act(static_cast<SceneEditor&>(window)); });
  }
  void Open() { OpenSceneEditor(nullptr, project_, prefs_, keywords_, "hall"); }
  Project project_;
  Preferences prefs_;
  KeywordList keywords_;
};

TEST_F(SceneEditorTest, DoneChecksNameAndSpeedThenRenamesAndMakesThePictures) {
  Drive([](SceneEditor& editor) {
    EXPECT_EQ(editor.windowTitle(), "Scene properties - hall");
    EXPECT_EQ(editor.canvas()->picture_width(), 200);
    editor.name_field()->setText("");
    editor.field("speed")->setText("1");
    editor.done_button()->click();  // two messages, still open
    editor.name_field()->setText("cellar");
    editor.field("speed")->setText("2");
    editor.field("viewportwidth")->setText("-320");  // digits only
    editor.done_button()->click();
  });
  Open();
  EXPECT_EQ(dialogs_.Boxes(), (std::vector<std::string>{"Error: The scene name is missing",
                                                        "Error: Invalid scene speed value"}));
  const Scene& scene = project_.scenes[0];
  EXPECT_EQ(scene.name, "cellar");
  EXPECT_EQ(scene.speed, 2);
  EXPECT_EQ(scene.viewportwidth, 320);
  EXPECT_EQ(project_.layers[0].scene, "cellar");
  ASSERT_NE(scene.thumbnail, nullptr);
  EXPECT_EQ(scene.thumbnail->width(), 150);
  EXPECT_EQ(project_.modified, 1);
}

TEST_F(SceneEditorTest, PlacingIsUndoneAndRedoneFromKeysAndButtons) {
  Drive([this](SceneEditor& editor) {
    editor.tabs()->setCurrentIndex(1);
    EXPECT_TRUE(editor.new_button()->isVisibleTo(&editor));
    CanvasTool* tool = editor.canvas()->tool();
    ASSERT_NE(tool, nullptr);
    tool->Press(Click(47, 33));
    tool->Press(Click(87, 33));
    EXPECT_EQ(Instances(project_), 2);
    EXPECT_EQ(project_.objects[1].x, 40);  // snapped to the grid of 20
    EXPECT_EQ(project_.objects[1].depth, 4);
    Key(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Instances(project_), 1);
    editor.undo_button()->click();
    EXPECT_EQ(Instances(project_), 0);
    EXPECT_FALSE(editor.undo_button()->isEnabled());
    Key(&editor, Qt::Key_Y, Qt::ControlModifier);
    Key(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Instances(project_), 2);

    // "New" asks before taking every instance of the scene.
    editor.new_button()->click();  // No
    EXPECT_EQ(Instances(project_), 2);
    editor.new_button()->click();  // Yes
    EXPECT_EQ(Instances(project_), 0);
    editor.tabs()->setCurrentIndex(0);
    EXPECT_FALSE(editor.new_button()->isVisibleTo(&editor));
    editor.done_button()->click();
  })
      .AnswerNo()
      .AnswerYes();
  Open();
  EXPECT_EQ(dialogs_.Boxes(),
            (std::vector<std::string>{"Confirm: Delete all objects in this scene?",
                                      "Confirm: Delete all objects in this scene?"}));
}

TEST_F(SceneEditorTest, ValuesThatReachTheSceneAtOnceAreUndoable) {
  Drive([this](SceneEditor& editor) {
    editor.field("width")->setText("300");
    EXPECT_EQ(project_.scenes[0].width, 300);
    EXPECT_EQ(editor.canvas()->picture_width(), 300);
    editor.check("Stretch")->click();
    EXPECT_EQ(project_.scenes[0].backgroundstretch, 1);
    editor.stack().Undo();
    EXPECT_FALSE(editor.check("Stretch")->isChecked());
    editor.stack().Undo();
    EXPECT_EQ(editor.field("width")->text(), "200");
    EXPECT_EQ(editor.canvas()->picture_width(), 200);

    // The grid size takes values over 4 only.
    editor.grid_size_field()->setText("4");
    EXPECT_EQ(editor.view().grid.size, 20);
    editor.grid_size_field()->setText("5");
    EXPECT_EQ(SceneEditor::Grid().size, 5);
    editor.grid_size_field()->setText("20");
    // Nothing repaints on a timer: an idle editor does no work.
    for (const QTimer* timer : editor.findChildren<QTimer*>()) EXPECT_FALSE(timer->isActive());
    editor.done_button()->click();
  });
  Open();
}

TEST_F(SceneEditorTest, InstancePropertiesAndLayersThroughTheirWindows) {
  project_.layers.insert(project_.layers.begin(), Layer{"layer_0", 3, "hall"});
  Drive([this](SceneEditor& editor) {
    editor.tabs()->setCurrentIndex(1);
    editor.canvas()->tool()->Press(Click(40, 40));
    editor.edit_instance_button()->click();  // nothing selected: no window
    project_.objects[1].selected = 1;
    editor.edit_instance_button()->click();
    EXPECT_EQ(project_.objects[1].x, 12);
    EXPECT_EQ(project_.objects[1].image_angle, 0);  // "abc"

    editor.tabs()->setCurrentIndex(3);
    TilesTab& tiles = *editor.tiles_tab();
    // The list opens on the scene's first layer.
    EXPECT_EQ(tiles.layer_list()->currentText(), "3");
    ClickButton(tiles, "Add");     // 3 exists, then 7
    ClickButton(tiles, "Delete");  // layer 7 and its tiles
    EXPECT_EQ(LayerValues(project_, "hall"), (std::vector<int>{3, 1000000}));
    ClickButton(tiles, "Delete");  // the first layer is shown again: 3
    ClickButton(tiles, "Delete");  // the last layer comes back as the default one
    EXPECT_EQ(LayerValues(project_, "hall"), (std::vector<int>{1000000}));
    editor.done_button()->click();
  })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<InstanceDialog&>(window);
        EXPECT_EQ(dialog.windowTitle(), "Instance properties - SceneObject2");
        dialog.field(0)->setText("12");
        dialog.field(3)->setText("abc");
        ClickButton(dialog, "OK");
      })
      .Drive([](QDialog& window) {
        auto& dialog = static_cast<LayerDepthDialog&>(window);
        EXPECT_EQ(dialog.depth()->text(), "3");
        dialog.ok_button()->click();  // refused: the window stays
        dialog.depth()->setText("7");
        dialog.ok_button()->click();
      })
      .AnswerYes()
      .AnswerYes()
      .AnswerYes();
  Open();
  EXPECT_EQ(dialogs_.Boxes()[0], "Error: Depth already exists");
}

// Every kind of change the editor makes, then undone to the last step and
// redone again: the written project is the same as before and after.
TEST_F(SceneEditorTest, EveryChangeIsUndoneAndRedoneExactly) {
  MakeDirectory("work");
  Image set = Image::Transparent(64, 64);
  set.Fill(Color{0, 90, 0, 255});
  ASSERT_TRUE(SavePng(set, "work/tiles.png"));
  project_.backgrounds.push_back(Background{
      .name = "bg_tiles", .file = "tiles.png", .tile = 1, .tilewidth = 16, .tileheight = 16});
  // The uid only grows: undone records leave their numbers unused.
  const auto stored = [this] {
    Project copy = project_;
    copy.uid = 1;
    return ProjectXml(copy);
  };
  const std::string before = stored();
  std::string after;
  const auto shift = [](const char* dx) {
    return [dx](QDialog& window) {
      static_cast<ShiftDialog&>(window).horizontal()->setText(dx);
      static_cast<ShiftDialog&>(window).vertical()->setText("0");
      ClickButton(window, "OK");
    };
  };
  const auto depth = [](const char* value) {
    return [value](QDialog& window) {
      static_cast<LayerDepthDialog&>(window).depth()->setText(value);
      static_cast<LayerDepthDialog&>(window).ok_button()->click();
    };
  };
  Drive([&](SceneEditor& editor) {
    editor.tabs()->setCurrentIndex(1);
    CanvasTool& tool = *editor.canvas()->tool();
    tool.Press(Click(40, 40));
    tool.Press(PointerEvent{60, 60, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier});
    tool.Move(PointerEvent{90, 60, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier});
    tool.Release(PointerEvent{90, 60, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier});
    editor.instance_action()->setCurrentIndex(1);
    tool.Press(Click(40, 40));
    tool.Key(KeyEvent{Qt::Key_Right});
    editor.edit_instance_button()->click();
    editor.shift_button()->click();
    editor.instance_action()->setCurrentIndex(2);
    tool.Press(Click(60, 60));
    editor.instance_action()->setCurrentIndex(1);
    tool.Press(Click(85, 80));
    tool.Key(KeyEvent{Qt::Key_Delete});
    editor.instance_action()->setCurrentIndex(0);
    tool.Press(Click(100, 20));  // something for "New" to take
    editor.new_button()->click();

    editor.field("width")->setText("300");
    editor.check("Stretch")->click();
    editor.background_list()->setCurrentText("bg_tiles");
    ClickButton(*editor.tabs()->widget(2), "...");

    editor.tabs()->setCurrentIndex(3);
    TilesTab& tiles = *editor.tiles_tab();
    tiles.tile_set_canvas()->tool()->Press(Click(20, 20));
    tiles.tile_set_canvas()->tool()->Release(PointerEvent{20, 20, Qt::LeftButton, Qt::NoButton});
    CanvasTool& stamp = *editor.canvas()->tool();
    stamp.Press(Click(20, 20));
    stamp.Press(PointerEvent{40, 40, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier});
    stamp.Move(PointerEvent{70, 40, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier});
    stamp.Release(PointerEvent{70, 40, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier});
    tiles.action_list()->setCurrentIndex(2);
    stamp.Press(Click(45, 45));
    ClickButton(tiles, "Add");
    ClickButton(tiles, "Change...");
    ClickButton(tiles, "Delete");
    editor.shift_button()->click();

    after = stored();
    EXPECT_NE(after, before);
    EXPECT_EQ(editor.stack().count(), 20);  // one step per action above
    while (editor.stack().Undo()) {
    }
    EXPECT_EQ(stored(), before);
    while (editor.stack().Redo()) {
    }
    EXPECT_EQ(stored(), after);
    editor.done_button()->click();
  })
      .Drive([](QDialog& window) {
        static_cast<InstanceDialog&>(window).field(3)->setText("90");
        ClickButton(window, "OK");
      })
      .Drive(shift("5"))
      .AnswerYes()
      .AnswerYes()
      .PickColor(Color{10, 20, 30, 255})
      .Drive(depth("7"))
      .Drive(depth("8"))
      .AnswerYes()
      .Drive(shift("3"));
  Open();
}

}  // namespace
}  // namespace vorlane
