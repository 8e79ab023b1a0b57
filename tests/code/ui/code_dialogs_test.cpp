#include "code/ui/code_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <functional>

#include "code/ui/code_editor.h"
#include "code/ui/scintilla_messages.h"
#include "code/ui/typing.h"
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
  // The next modal window opens, as Exec would show it, for `act`.
  template <typename Window, typename Act>
  void Drive(Act act) {
    dialogs_.Drive([act](QDialog& dialog) {
      EXPECT_TRUE(dialog.isModal());
      dialog.show();
      act(static_cast<Window&>(dialog));
    });
  }
  // The help lines, "first | second", with the caret at `position`.
  static std::string HelpAt(CodeWindow& window, long position) {
    window.editor()->Send(sci::GOTOPOS, position);
    window.RefreshHelpLines();
    return (window.help_line1()->text() + " | " + window.help_line2()->text()).toStdString();
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
  for (const auto& d : windows) {
    // Cancel and the close button lose a change only when the user agrees
    // (No goes back to the editor); OK stores it, and marks the project
    // modified even without a change.
    const std::string code = *d.code;
    enum Question { kNone, kYes, kNo };
    const struct {
      const char* way_out;
      std::string typed;
      Question question;
      std::string stored;
    } steps[] = {{"Cancel", code, kNone, code}, {"Cancel", "lost", kYes, code},
                 {"close", "lost", kYes, code}, {"close", "kept", kNo, "kept"},
                 {"OK", code, kNone, code},     {"OK", "kept", kNone, "kept"}};
    for (const auto& step : steps) {
      Drive<QDialog>([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), d.title);
        dialog.findChild<CodeEditor*>()->SetEditorText(step.typed, false);
        if (step.way_out == std::string("close"))
          dialog.close();
        else
          EXPECT_TRUE(ClickButton(dialog, step.way_out));
        EXPECT_EQ(dialog.isVisible(), step.question == kNo);
        if (dialog.isVisible()) EXPECT_TRUE(ClickButton(dialog, "OK"));
      });
      if (step.question != kNone)
        step.question == kYes ? dialogs_.AnswerYes() : dialogs_.AnswerNo();
      const bool ok = step.way_out == std::string("OK") || step.question == kNo;
      EXPECT_EQ(d.edit(), ok) << d.title << ' ' << step.way_out;
      EXPECT_EQ(*d.code, step.stored) << d.title << ' ' << step.way_out;
      EXPECT_EQ(project.modified, ok ? d.modified : 0) << d.title << ' ' << step.way_out;
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

TEST_F(CodeDialogsTest, GeometryIsStoredAndReusedMaximisedIncluded) {
  // First time: 800 x 600 in the middle of the screen.
  Drive<CodeWindow>([](CodeWindow& dialog) {
    EXPECT_EQ(dialog.size(), QSize(800, 600));
    const QRect area = dialog.screen()->availableGeometry();
    EXPECT_EQ(dialog.pos(), area.center() - QPoint(400, 300));
    dialog.move(30, 40);
    dialog.resize(900, 650);
    QApplication::processEvents();
    dialog.cancel_button()->click();
  });
  EditGlobalFunctions(nullptr, project, prefs, keywords);
  EXPECT_EQ(QRect(prefs.x, prefs.y, prefs.width, prefs.height), QRect(30, 40, 900, 650));
  EXPECT_EQ(prefs.maximized, -1);

  // The event code dialog shares the geometry; its controls stay inside.
  Drive<CodeWindow>([](CodeWindow& dialog) {
    EXPECT_EQ(QRect(dialog.pos(), dialog.size()), QRect(30, 40, 900, 650));
    EXPECT_GT(dialog.editor()->width(), 800);
    for (const QWidget* control :
         {static_cast<QWidget*>(dialog.editor()), static_cast<QWidget*>(dialog.ok_button())})
      EXPECT_TRUE(dialog.rect().contains(control->geometry()));
    dialog.setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    dialog.ok_button()->click();
  });
  EditEventCode(nullptr, project, prefs, keywords, 0);
  EXPECT_EQ(prefs.maximized, 1);
  Drive<CodeWindow>([](CodeWindow& dialog) {
    EXPECT_TRUE(dialog.windowState() & Qt::WindowMaximized);
    dialog.cancel_button()->click();
  });
  EditGlobalVariables(nullptr, project, prefs, keywords);
  EXPECT_EQ(prefs.maximized, 1);

  // A damaged size falls back to the default one; the place is kept.
  prefs = Preferences();
  prefs.x = prefs.y = 20;
  prefs.width = 3;
  prefs.height = 99999;
  GlobalCodeDialog dialog(nullptr, "Global variables", project.settings.variables, project, prefs,
                          keywords);
  EXPECT_EQ(QRect(dialog.pos(), dialog.size()), QRect(20, 20, 800, 600));
}

TEST_F(CodeDialogsTest, HelpLinesFollowTheCaretAndNotApplicableDiffersByDialog) {
  // Characters, not columns: the tabs count one each.
  project.settings.variables = "\t\tx = draw_text(1);\nhalf = 2;\nzzz";
  GlobalCodeDialog global(nullptr, "Global variables", project.settings.variables, project, prefs,
                          keywords);
  EXPECT_EQ(HelpAt(global, 9), "draw_text(x, y, s) | Draws text.");
  EXPECT_EQ(HelpAt(global, 22), "n/a | n/a");
  EXPECT_EQ(HelpAt(global, 31), " | ");

  project.scripts[0].code = project.settings.variables;
  EventCodeDialog event(nullptr, project.scripts[0], project, prefs, keywords);
  EXPECT_EQ(HelpAt(event, 9), "draw_text(x, y, s) | Draws text.");
  EXPECT_EQ(HelpAt(event, 22), "draw_text(x, y, s) | Draws text.");  // "n/a" keeps the help
  EXPECT_EQ(HelpAt(event, 31), " | ");
}

TEST_F(CodeDialogsTest, EventTypeAndCollisionPartnerAreStored) {
  // Step, turned into a collision with a typed partner.
  Drive<EventCodeDialog>([](EventCodeDialog& dialog) {
    EXPECT_EQ(dialog.event_box()->count(), 9);
    EXPECT_EQ(dialog.event_box()->currentText(), "Step");
    auto* field = qobject_cast<QLineEdit*>(dialog.with_control());
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->isVisible() || dialog.with_label()->isVisible());
    dialog.event_box()->setCurrentIndex(4);
    EXPECT_TRUE(field->isVisible() && dialog.with_label()->isVisible());
    EXPECT_EQ(field->text(), "p");
    field->setText("object_1");
    dialog.editor()->SetEditorText("bump();", false);
    dialog.ok_button()->click();
  });
  EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, 0));
  EXPECT_EQ(project.scripts[0], (Script{"scr_1", "object_0", "Collision", "object_1", "bump();"}));

  // A collision turned into Draw keeps its now hidden partner; without one
  // it is refused.
  Drive<EventCodeDialog>([](EventCodeDialog& dialog) {
    auto* objects = qobject_cast<QComboBox*>(dialog.with_control());
    ASSERT_NE(objects, nullptr);
    ASSERT_EQ(objects->count(), 3);  // none, object_0, object_1; no instances
    EXPECT_EQ(objects->itemText(0), "");
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
    Drive<EventCodeDialog>([](EventCodeDialog& dialog) { dialog.ok_button()->click(); });
    EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, script));
  }
  EXPECT_EQ(project.scripts, kept);
}

TEST_F(CodeDialogsTest, CaptionsAndChoicesSitAboveTheEditorWhole) {
  // Shown text must not be cut, whatever font stands in for the usual one.
  const auto whole = [](const QLabel* label) {
    return label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
  };
  EventCodeDialog step(nullptr, project.scripts[0], project, prefs, keywords);
  step.event_box()->setCurrentIndex(4);  // the free text field comes into view
  EventCodeDialog collision(nullptr, project.scripts[1], project, prefs, keywords);
  for (EventCodeDialog* dialog : {&step, &collision}) {
    EXPECT_TRUE(whole(dialog->event_label()) && whole(dialog->with_label()));
    EXPECT_LT(dialog->with_control()->geometry().bottom(), dialog->editor()->geometry().top());
  }
  // A name too long for the narrow list is whole in its tooltip and when open.
  const QString longest = "Animation end";
  collision.event_box()->setCurrentText(longest);
  EXPECT_EQ(collision.event_box()->toolTip(), longest);
  collision.event_box()->showPopup();  // measured as it opens
  collision.event_box()->hidePopup();
  EXPECT_GT(collision.event_box()->view()->minimumWidth(),
            collision.event_box()->fontMetrics().horizontalAdvance(longest));
  for (const char* title : {"Not listed custom functions", "Global variables"}) {
    GlobalCodeDialog global(nullptr, title, project.settings.functions, project, prefs, keywords);
    EXPECT_EQ(global.heading()->text(), title);
    EXPECT_TRUE(whole(global.heading())) << title;
  }
}

TEST_F(CodeDialogsTest, CommentsLeaveOnlyThroughOkAndTheViewerIsReadOnly) {
  Drive<GameCommentsDialog>([](GameCommentsDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Game comments");
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog.text_box()->isReadOnly());
    dialog.close();
    test::PressKey(dialog.text_box(), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.ok_button()->click();
  });
  EXPECT_TRUE(EditGameComments(nullptr, project));
  EXPECT_EQ(project.modified, 1);  // even without changes
  EXPECT_EQ(project.settings.comments, "Level ideas\r\n- more gems");

  project.modified = 0;
  Drive<GameCommentsDialog>([](GameCommentsDialog& dialog) {
    EXPECT_TRUE(dialog.text_box()->isReadOnly());
    EXPECT_EQ(dialog.text_box()->toPlainText(), "Level ideas\n- more gems");
    dialog.ok_button()->click();
  });
  ShowGameComments(nullptr, project);
  EXPECT_EQ(project.modified, 0);

  Drive<GameCommentsDialog>([](GameCommentsDialog& dialog) {
    dialog.text_box()->setPlainText("New notes");
    dialog.ok_button()->click();
  });
  EditGameComments(nullptr, project);
  EXPECT_EQ(project.settings.comments, "New notes");
}

}  // namespace
}  // namespace vorlane
