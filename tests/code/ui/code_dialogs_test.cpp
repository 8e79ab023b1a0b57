// The code windows' wiring: their buttons, keys and fields reach the project
// and the preferences, and nothing in them is cut off.
#include "code/ui/code_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <functional>

#include "code/ui/code_editor.h"
#include "code/ui/scintilla_messages.h"
#include "support/qt_app.h"
#include "gui/ui/controls.h"

namespace vorlane {
namespace {

struct CodeDialogsTest : test::DialogTest {
  CodeDialogsTest() {
    project.settings.functions = "function f() {\n\treturn 1;\n}";
    project.settings.variables = "var score = 0;";
    project.settings.comments = "Level ideas\r\n- more gems";
    project.objects.resize(3);
    project.objects[0].name = "object_0";
    project.objects[1].name = "object_1";
    project.objects[2].name = "inst_9";
    project.objects[2].prototype = 0;  // placed in a scene
    project.scripts = {{"scr_1", "object_0", "Step", "p", "x = 1;"},
                       {"scr_2", "object_0", "Collision", "object_1", "hit();"}};
    project.scenes.resize(1);
    project.scenes[0].code = "start();";
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "half", "Var", "n/a", "n/a");
  }
  // The next modal window opens, as Exec would show it, titled `title` and
  // with nothing cut off, for `act`.
  template <typename Window>
  void Drive(const std::string& title, std::function<void(Window&)> act) {
    dialogs_.Drive([title, act](QDialog& dialog) {
      EXPECT_TRUE(dialog.isModal());
      EXPECT_EQ(dialog.windowTitle().toStdString(), title);
      EXPECT_EQ(test::Clipped(dialog), std::vector<std::string>{}) << title;
      act(static_cast<Window&>(dialog));
    });
  }

  Preferences prefs;
  Project project;
  KeywordList keywords;
};

TEST_F(CodeDialogsTest, OkStoresTheCodeCancelAndCloseAskBeforeLosingIt) {
  const struct {
    const char* title;
    std::function<bool()> edit;
    std::string* code;
    int modified;  // event code leaves the flag to the object editor
  } windows[] = {
      {"Not listed custom functions",
       [&] { return EditGlobalFunctions(nullptr, project, prefs, keywords); },
       &project.settings.functions, 1},
      {"Global variables", [&] { return EditGlobalVariables(nullptr, project, prefs, keywords); },
       &project.settings.variables, 1},
      {"Code editor - Step event of object_0",
       [&] { return EditEventCode(nullptr, project, prefs, keywords, 0); },
       &project.scripts[0].code, 0},
      {"Scene code editor", [&] { return EditSceneCode(nullptr, project, prefs, keywords, 0); },
       &project.scenes[0].code, 1},
  };
  // Cancel and the close button lose a change only when the user agrees (No
  // goes back to the editor); OK stores it, and marks the project modified
  // even without a change. "" types nothing.
  enum Question { kNone, kYes, kNo };
  const struct {
    const char* way_out;
    std::string typed, stored;
    Question question;
  } steps[] = {{"Cancel", "", "", kNone},
               {"Cancel", "lost", "", kYes},
               {"close", "kept", "kept", kNo},
               {"OK", "", "", kNone},
               {"OK", "kept", "kept", kNone}};
  for (const auto& d : windows) {
    const std::string code = *d.code;
    for (const auto& step : steps) {
      SCOPED_TRACE(std::string(d.title) + ", " + step.way_out + " " + step.typed);
      Drive<QDialog>(d.title, [&](QDialog& dialog) {
        if (!step.typed.empty()) dialog.findChild<CodeEditor*>()->SetEditorText(step.typed, false);
        if (step.way_out == std::string("close"))
          dialog.close();
        else
          EXPECT_TRUE(ClickButton(dialog, step.way_out));
        EXPECT_EQ(dialog.isVisible(), step.question == kNo);
        if (dialog.isVisible()) {
          EXPECT_TRUE(ClickButton(dialog, "OK"));
        }
      });
      if (step.question != kNone)
        step.question == kYes ? dialogs_.AnswerYes() : dialogs_.AnswerNo();
      const bool ok = step.way_out == std::string("OK") || step.question == kNo;
      EXPECT_EQ(d.edit(), ok);
      EXPECT_EQ(*d.code, step.stored.empty() ? code : step.stored);
      EXPECT_EQ(project.modified, ok ? d.modified : 0);
      EXPECT_EQ(dialogs_.Boxes(),
                step.question == kNone
                    ? std::vector<std::string>{}
                    : std::vector<std::string>{"Confirm: " + std::string(kDiscardCodeQuestion)});
      dialogs_.Clear();
      *d.code = code;
      project.modified = 0;
    }
  }
  EXPECT_FALSE(EditSceneCode(nullptr, project, prefs, keywords, 1));
  EXPECT_FALSE(EditEventCode(nullptr, project, prefs, keywords, 2));
  EXPECT_FALSE(EditEventCode(nullptr, project, prefs, keywords, -1));
}

// One place and size for every code window, maximised included; a damaged
// size falls back to 800 x 600, centred the first time.
TEST_F(CodeDialogsTest, GeometryIsStoredAndReused) {
  Drive<CodeWindow>("Not listed custom functions", [](CodeWindow& dialog) {
    EXPECT_EQ(
        QRect(dialog.pos(), dialog.size()),
        QRect(dialog.screen()->availableGeometry().center() - QPoint(400, 300), QSize(800, 600)));
    dialog.move(30, 40);
    dialog.resize(900, 650);
    QApplication::processEvents();
    dialog.cancel_button()->click();
  });
  EditGlobalFunctions(nullptr, project, prefs, keywords);
  EXPECT_EQ(QRect(prefs.x, prefs.y, prefs.width, prefs.height), QRect(30, 40, 900, 650));
  Drive<CodeWindow>("Code editor - Step event of object_0", [](CodeWindow& dialog) {
    EXPECT_EQ(QRect(dialog.pos(), dialog.size()), QRect(30, 40, 900, 650));
    for (const QWidget* control :
         {static_cast<QWidget*>(dialog.editor()), static_cast<QWidget*>(dialog.ok_button())})
      EXPECT_TRUE(dialog.rect().contains(control->geometry()));  // the controls follow the size
    EXPECT_GT(dialog.editor()->width(), 800);
    dialog.setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    dialog.ok_button()->click();
  });
  EditEventCode(nullptr, project, prefs, keywords, 0);
  EXPECT_EQ(prefs.maximized, 1);
  Drive<CodeWindow>("Global variables", [](CodeWindow& dialog) {
    EXPECT_TRUE(dialog.windowState() & Qt::WindowMaximized);
    dialog.cancel_button()->click();
  });
  EditGlobalVariables(nullptr, project, prefs, keywords);
  prefs = Preferences();
  prefs.x = prefs.y = 20;
  prefs.width = 3;
  prefs.height = 99999;
  GlobalCodeDialog dialog(nullptr, "Global variables", project.settings.variables, project, prefs,
                          keywords);
  EXPECT_EQ(QRect(dialog.pos(), dialog.size()), QRect(20, 20, 800, 600));
}

// The help of the name at the caret (characters, not columns: a tab is one);
// "n/a" shows in the global windows and keeps the last help in event code.
TEST_F(CodeDialogsTest, HelpLinesFollowTheCaret) {
  project.settings.variables = project.scripts[0].code = "\t\tx = draw_text(1);\nhalf = 2;\nzzz";
  GlobalCodeDialog global(nullptr, "Global variables", project.settings.variables, project, prefs,
                          keywords);
  EventCodeDialog event(nullptr, project.scripts[0], project, prefs, keywords);
  const std::pair<CodeWindow*, const char*> cases[] = {
      {&global, "n/a | n/a"}, {&event, "draw_text(x, y, s) | Draws text."}};
  for (const auto& [window, not_applicable] : cases) {
    std::vector<std::string> shown;
    for (const long caret : {9, 22, 31}) {
      window->editor()->Send(sci::GOTOPOS, caret);
      window->RefreshHelpLines();
      shown.push_back(
          (window->help_line1()->text() + " | " + window->help_line2()->text()).toStdString());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"draw_text(x, y, s) | Draws text.", not_applicable,
                                               " | "}));
  }
}

TEST_F(CodeDialogsTest, EventTypeAndCollisionPartnerAreStored) {
  // Step, turned into a collision with a typed partner.
  Drive<EventCodeDialog>("Code editor - Step event of object_0", [](EventCodeDialog& dialog) {
    EXPECT_EQ(dialog.event_box()->currentText(), "Step");
    auto* field = qobject_cast<QLineEdit*>(dialog.with_control());
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->isVisible() || dialog.with_label()->isVisible());
    dialog.event_box()->setCurrentIndex(4);
    EXPECT_TRUE(field->isVisible() && dialog.with_label()->isVisible());
    EXPECT_EQ(test::Clipped(dialog), std::vector<std::string>{});
    EXPECT_EQ(field->text(), "p");
    field->setText("object_1");
    dialog.editor()->SetEditorText("bump();", false);
    dialog.ok_button()->click();
  });
  EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, 0));
  EXPECT_EQ(project.scripts[0], (Script{"scr_1", "object_0", "Collision", "object_1", "bump();"}));

  // A collision turned into Draw keeps its now hidden partner; without one
  // it is refused.
  Drive<EventCodeDialog>("Code editor - Collision event of object_0", [](EventCodeDialog& dialog) {
    auto* objects = qobject_cast<QComboBox*>(dialog.with_control());
    ASSERT_NE(objects, nullptr);
    ASSERT_EQ(objects->count(), 3);  // none, object_0, object_1; no instances
    EXPECT_EQ(objects->currentText(), "object_1");
    objects->setCurrentIndex(0);
    dialog.ok_button()->click();
    EXPECT_TRUE(dialog.isVisible());
    objects->setCurrentIndex(2);
    dialog.event_box()->setCurrentText("Draw");
    EXPECT_FALSE(objects->isVisible());
    dialog.ok_button()->click();
  });
  EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, 1));
  EXPECT_EQ(project.scripts[1], (Script{"scr_2", "object_0", "Draw", "object_1", "hit();"}));
  EXPECT_EQ(dialogs_.Boxes(),
            std::vector<std::string>{"Error: " + std::string(kCollisionPartnerMissing)});

  // An unknown event and a partner deleted since are kept as they are.
  project.scripts[0] = {"scr_1", "object_0", "Keyboard", "", "k();"};
  project.scripts[1] = {"scr_2", "object_0", "Collision", "ghost", ""};
  const std::vector<Script> kept = project.scripts;
  for (int script : {0, 1}) {
    Drive<QDialog>("Code editor - " + kept[script].event + " event of object_0",
                   [](QDialog& dialog) { EXPECT_TRUE(ClickButton(dialog, "OK")); });
    EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, script));
  }
  EXPECT_EQ(project.scripts, kept);
}

// Neither Escape nor the close button ends the comments window; OK stores
// (and marks the project modified) only in the editable one.
TEST_F(CodeDialogsTest, CommentsLeaveOnlyThroughOkAndTheViewerIsReadOnly) {
  const struct {
    std::function<void()> open;
    bool read_only;
    std::string stored;
    int modified;
  } windows[] = {
      {[&] { ShowGameComments(nullptr, project); }, true, "Level ideas\r\n- more gems", 0},
      {[&] { EditGameComments(nullptr, project); }, false, "New notes", 1}};
  for (const auto& w : windows) {
    Drive<GameCommentsDialog>("Game comments", [&](GameCommentsDialog& dialog) {
      EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
      EXPECT_EQ(dialog.text_box()->isReadOnly(), w.read_only);
      EXPECT_EQ(dialog.text_box()->toPlainText(), "Level ideas\n- more gems");
      EXPECT_TRUE(test::IgnoresEscapeAndClose(dialog));
      if (!w.read_only) dialog.text_box()->setPlainText("New notes");
      dialog.ok_button()->click();
    });
    w.open();
    EXPECT_EQ(project.settings.comments, w.stored);
    EXPECT_EQ(project.modified, w.modified);
  }
  project.modified = 0;
  Drive<GameCommentsDialog>("Game comments",
                            [](GameCommentsDialog& dialog) { dialog.ok_button()->click(); });
  EXPECT_TRUE(EditGameComments(nullptr, project));
  EXPECT_EQ(project.modified, 1);  // even without changes
}

}  // namespace
}  // namespace vorlane
