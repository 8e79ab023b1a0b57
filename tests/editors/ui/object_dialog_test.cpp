#include "editors/ui/object_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "code/ui/code_editor.h"
#include "code/ui/event_code_dialog.h"
#include "editors/ui/editor_dialogs.h"
#include "gui/ui/image_view.h"
#include "support/qt_app.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

QStringList Texts(const QComboBox& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
  return texts;
}

// Each row as "Event/Parameter".
QStringList Rows(const QTreeWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i)
    rows << list.topLevelItem(i)->text(0) + "/" + list.topLevelItem(i)->text(1);
  return rows;
}

void SelectRow(ObjectDialog& dialog, int row) {
  dialog.event_list()->setCurrentItem(dialog.event_list()->topLevelItem(row));
}

// The sample: obj_player (spr_hero, depth -10) with a Creation and a
// Collision event with obj_wall, and obj_wall (parent obj_player) with a
// Step event; each has one instance.
class ObjectDialogTest : public test::DialogTest {
 protected:
  Project project_ = test::SampleProject();
  Preferences prefs_;
  KeywordList keywords_;

  ScriptedDialogs& Drive(std::function<void(ObjectDialog&)> act) {
    return dialogs_.Drive([act](QDialog& window) { act(static_cast<ObjectDialog&>(window)); });
  }
  void Edit(const std::string& name) { EditObject(nullptr, project_, prefs_, keywords_, name); }
};

TEST_F(ObjectDialogTest, ShowsTheObjectAndStoresTheEmptySpriteEntry) {
  Drive([this](ObjectDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Object properties - obj_player");
    EXPECT_EQ(dialog.size(), QSize(800, 600));
    EXPECT_EQ(dialog.thumbnail()->geometry(), QRect(10, 45, 100, 100));
    EXPECT_EQ(dialog.event_list()->geometry(), QRect(120, 45, 200, 510));
    EXPECT_EQ(dialog.code_preview()->geometry(), QRect(330, 45, 460, 510));

    EXPECT_EQ(Texts(*dialog.sprite_list()), QStringList({"", "spr_hero"}));
    EXPECT_EQ(dialog.sprite_list()->currentText(), "spr_hero");
    EXPECT_FALSE(dialog.sprite_list()->itemIcon(1).isNull());
    EXPECT_EQ(Texts(*dialog.parent_list()), QStringList({"", "obj_wall"}));  // not itself
    EXPECT_FALSE(dialog.parent_list()->itemIcon(1).isNull());
    EXPECT_EQ(dialog.size_label()->text(), "Size: 16 x 16 px");
    EXPECT_EQ(dialog.thumbnail()->picture().size(), QSize(100, 100));
    EXPECT_TRUE(dialog.visible_box()->isChecked());
    EXPECT_EQ(dialog.depth_field()->text(), "-10");
    EXPECT_TRUE(dialog.collision_box()->isChecked());
    EXPECT_EQ(dialog.add_event_button()->text(), "Add event >>> ");
    EXPECT_EQ(dialog.event_kind_list()->count(), 9);
    EXPECT_EQ(dialog.event_kind_list()->currentText(), "Creation");

    QTreeWidget& events = *dialog.event_list();
    EXPECT_EQ(events.headerItem()->text(0), "Event");
    EXPECT_EQ(events.headerItem()->text(1), "Parameter");
    EXPECT_EQ(events.columnWidth(0), 90);
    EXPECT_EQ(events.columnWidth(1), 80);
    EXPECT_EQ(Rows(events), QStringList({"Creation/", "Collision/obj_wall"}));
    EXPECT_TRUE(dialog.code_preview()->isReadOnly());
    EXPECT_EQ(dialog.code_preview()->palette().color(QPalette::Base), QColor(0xEEEEEE));
    SelectRow(dialog, 1);
    EXPECT_EQ(dialog.code_preview()->toPlainText(), "if (a < b && c) {\n}");
    events.clearSelection();
    EXPECT_EQ(dialog.code_preview()->toPlainText(), "");

    dialog.sprite_list()->setCurrentIndex(0);
    EXPECT_EQ(dialog.size_label()->text(), "Size: <no sprite>");
    EXPECT_EQ(project_.objects[0].sprite, "spr_hero");  // only "Done" stores
    dialog.done_button()->click();
  });
  Edit("obj_player");
  EXPECT_EQ(project_.objects[0].sprite, "");
  EXPECT_EQ(project_.objects[1].image, nullptr);
  EXPECT_EQ(project_.modified, 1);
}

TEST_F(ObjectDialogTest, AnAddedEventCancelledWithoutCodeIsNotKept) {
  const size_t scripts = project_.scripts.size();
  Drive([](ObjectDialog& dialog) {
    dialog.event_kind_list()->setCurrentText("Collision");
    dialog.add_event_button()->click();
    EXPECT_EQ(Rows(*dialog.event_list()), QStringList({"Creation/", "Collision/obj_wall"}));
    dialog.done_button()->click();
  }).Cancel();  // the code dialog
  Edit("obj_player");
  EXPECT_EQ(project_.scripts.size(), scripts);
  EXPECT_EQ(dialogs_.shown()[1].title, "Code editor - Collision event of obj_player");
}

TEST_F(ObjectDialogTest, DoubleClickEditsAndThePopupDeletesAfterAsking) {
  Drive([](ObjectDialog& dialog) {
    QTreeWidget& events = *dialog.event_list();
    emit events.itemDoubleClicked(events.topLevelItem(0), 0);
    EXPECT_EQ(dialog.code_preview()->toPlainText(), "speed = 8;");  // the edited row stays selected

    QList<QAction*> items = dialog.event_menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Edit");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "Delete");
    // A right click selects its row and opens the menu there.
    emit events.customContextMenuRequested(events.visualItemRect(events.topLevelItem(1)).center());
    EXPECT_TRUE(dialog.event_menu()->isVisible());
    dialog.event_menu()->hide();
    EXPECT_EQ(dialog.SelectedScript(), 1);
    dialog.delete_event_action()->trigger();  // No
    dialog.delete_event_action()->trigger();  // Yes
    EXPECT_EQ(Rows(events), QStringList({"Creation/"}));
    EXPECT_EQ(dialog.code_preview()->toPlainText(), "");
    dialog.done_button()->click();
  })
      .Drive([](QDialog& window) {
        auto& code = static_cast<EventCodeDialog&>(window);
        code.editor()->SetEditorText("speed = 8;", false);
        code.ok_button()->click();
      })
      .AnswerNo()
      .AnswerYes();
  Edit("obj_player");
  EXPECT_EQ(dialogs_.Boxes(), (std::vector<std::string>{"Confirm: Delete this event?",
                                                        "Confirm: Delete this event?"}));
  ASSERT_EQ(project_.scripts.size(), 2u);
  EXPECT_EQ(project_.scripts[0].code, "speed = 8;");
  EXPECT_EQ(project_.scripts[1].name, "scr_15");
}

TEST_F(ObjectDialogTest, RenameRipplesAndDeleteTakesInstancesAndEvents) {
  Drive([](ObjectDialog& dialog) {
    dialog.name_field()->setText("obj_player");
    dialog.done_button()->click();  // refused: the dialog stays with its contents
    EXPECT_EQ(dialog.name_field()->text(), "obj_player");
    dialog.name_field()->setText("obj_block");
    dialog.depth_field()->setText("3");
    dialog.done_button()->click();
  }).Drive([](QDialog& window) {
      static_cast<ObjectDialog&>(window).delete_button()->click();
    }).AnswerYes();
  Edit("obj_wall");
  EXPECT_EQ(dialogs_.Boxes()[0], "Error: The object name 'obj_player' already exists");
  EXPECT_EQ(project_.objects[3].template_, "obj_block");
  EXPECT_EQ(project_.objects[3].depth, 3);
  EXPECT_EQ(project_.scripts[1].parameter, "obj_block");
  EXPECT_EQ(project_.scripts[2].object, "obj_block");

  Edit("obj_block");
  ASSERT_EQ(project_.objects.size(), 2u);  // obj_player and its instance
  EXPECT_EQ(project_.scripts.size(), 2u);  // obj_player's events, its collision with obj_block too
  EXPECT_EQ(project_.scripts[1].parameter, "obj_block");
}

}  // namespace
}  // namespace vorlane
