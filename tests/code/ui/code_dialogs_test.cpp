#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "code/ui/code_dialogs.h"
#include "code/ui/code_editor.h"
#include "code/ui/typing.h"
#include "code/ui/scintilla_messages.h"

namespace vorlane {
namespace {

// Runs `action` on the modal dialog once its own loop runs; a watchdog ends
// that dialog if it is still open five seconds later, so no test can hang.
void WhenModalOpens(std::function<void(QDialog*)> action) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, action, triesLeft = 300]() mutable {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    const bool open = dialog && dialog->isVisible();
    if (!open && --triesLeft > 0) return;
    poll->stop();
    poll->deleteLater();
    if (!open) return;
    QTimer::singleShot(5000, dialog, [dialog] {
      ADD_FAILURE() << "dialog left open: " << dialog->windowTitle().toStdString();
      dialog->done(QDialog::Rejected);
    });
    action(dialog);
  });
  poll->start();
}

void WaitMs(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

class CodeDialogsTest : public ::testing::Test {
 protected:
  CodeDialogsTest() {
    project.settings.functions = "function f() {\n\treturn 1;\n}";
    project.settings.variables = "var score = 0;";
    project.settings.comments = "Level ideas\r\n- more gems";
    for (const char* name : {"object_0", "object_1"}) {
      GameObject object;
      object.name = name;
      project.objects.push_back(object);
    }
    GameObject instance;
    instance.prototype = 0;
    instance.name = "inst_9";
    project.objects.push_back(instance);
    project.scripts.push_back({"scr_1", "object_0", "Step", "p", "x = 1;"});
    project.scripts.push_back({"scr_2", "object_0", "Collision", "object_1", "hit();"});
    project.scenes.push_back({});
    project.scenes.back().name = "scene_0";
    project.scenes.back().code = "start();";
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "half", "Var", "n/a", "n/a");
    AddKeyConstants(keywords);
  }
  static void Caret(CodeEditor* editor, long position) {
    editor->Send(sci::GOTOPOS, static_cast<unsigned long>(position));
  }

  QApplication& app = test::QtApp();
  Preferences prefs;
  Project project;
  KeywordList keywords;
};

TEST_F(CodeDialogsTest, GlobalFunctionsOkStoresAndMarksModifiedCancelDoesNot) {
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<GlobalCodeDialog*>(d);
    EXPECT_EQ(dialog->windowTitle(), "Not listed custom functions");
    EXPECT_EQ(dialog->editor()->GetEditorText(), "function f() {\n\treturn 1;\n}");
    dialog->editor()->SetEditorText("changed", false);
    dialog->cancel_button()->click();
  });
  EXPECT_FALSE(EditGlobalFunctions(nullptr, project, prefs, keywords));
  EXPECT_EQ(project.settings.functions, "function f() {\n\treturn 1;\n}");
  EXPECT_EQ(project.modified, 0);

  WhenModalOpens([](QDialog* d) { d->close(); });  // the close button
  EXPECT_FALSE(EditGlobalFunctions(nullptr, project, prefs, keywords));
  EXPECT_EQ(project.modified, 0);

  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<GlobalCodeDialog*>(d);
    dialog->editor()->SetEditorText("function g() {}", false);
    dialog->ok_button()->click();
  });
  EXPECT_TRUE(EditGlobalFunctions(nullptr, project, prefs, keywords));
  EXPECT_EQ(project.settings.functions, "function g() {}");
  EXPECT_EQ(project.settings.variables, "var score = 0;");
  EXPECT_EQ(project.modified, 1);
}

TEST_F(CodeDialogsTest, GlobalVariablesOkWithoutChangesStillMarksModified) {
  WhenModalOpens([](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Global variables");
    static_cast<GlobalCodeDialog*>(d)->ok_button()->click();
  });
  EXPECT_TRUE(EditGlobalVariables(nullptr, project, prefs, keywords));
  EXPECT_EQ(project.settings.variables, "var score = 0;");
  EXPECT_EQ(project.modified, 1);
}

TEST_F(CodeDialogsTest, GeometryIsStoredAndReusedMaximisedIncluded) {
  // First time: 800 x 600 in the middle of the screen.
  WhenModalOpens([](QDialog* d) {
    EXPECT_EQ(d->size(), QSize(800, 600));
    const QRect area = d->screen()->availableGeometry();
    EXPECT_EQ(d->pos(), area.center() - QPoint(400, 300));
    d->move(30, 40);
    d->resize(900, 650);
    QApplication::processEvents();
    static_cast<CodeWindow*>(d)->cancel_button()->click();
  });
  EditGlobalFunctions(nullptr, project, prefs, keywords);
  EXPECT_EQ(prefs.x, 30);
  EXPECT_EQ(prefs.y, 40);
  EXPECT_EQ(prefs.width, 900);
  EXPECT_EQ(prefs.height, 650);
  EXPECT_EQ(prefs.maximized, -1);

  // The event code dialog shares the geometry; the layout follows the size.
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<CodeWindow*>(d);
    EXPECT_EQ(d->pos(), QPoint(30, 40));
    EXPECT_EQ(d->size(), QSize(900, 650));
    EXPECT_EQ(dialog->editor()->geometry(), QRect(10, 45, 880, 495));
    EXPECT_EQ(dialog->ok_button()->pos(), QPoint(825, 615));
    EXPECT_EQ(dialog->cancel_button()->pos(), QPoint(10, 615));
    EXPECT_EQ(dialog->help_line1()->geometry(), QRect(10, 555, 880, 21));
    EXPECT_EQ(dialog->help_line2()->geometry(), QRect(10, 585, 880, 21));
    d->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    dialog->ok_button()->click();
  });
  EditEventCode(nullptr, project, prefs, keywords, 0);
  EXPECT_EQ(prefs.maximized, 1);

  WhenModalOpens([](QDialog* d) {
    EXPECT_TRUE(d->windowState() & Qt::WindowMaximized);
    static_cast<CodeWindow*>(d)->cancel_button()->click();
  });
  EditGlobalVariables(nullptr, project, prefs, keywords);
  EXPECT_EQ(prefs.maximized, 1);
}

TEST_F(CodeDialogsTest, DamagedGeometryFallsBackToTheDefaultWindow) {
  prefs.x = 20;
  prefs.y = 20;
  prefs.width = 3;
  prefs.height = 99999;
  GlobalCodeDialog dialog(nullptr, "Global variables", project.settings.variables, project, prefs,
                          keywords);
  EXPECT_EQ(dialog.size(), QSize(800, 600));
  EXPECT_EQ(dialog.pos(), QPoint(20, 20));
}

TEST_F(CodeDialogsTest, HelpLinesFollowTheCaretAndNotApplicableDiffersByDialog) {
  project.settings.variables = "x = draw_text(1);\nhalf = 2;\nzzz";
  GlobalCodeDialog global(nullptr, "Global variables", project.settings.variables, project, prefs,
                          keywords);
  global.show();
  Caret(global.editor(), 7);
  WaitMs(250);  // the help timer fires every 100 ms
  EXPECT_EQ(global.help_line1()->text(), "draw_text(x, y, s)");
  EXPECT_EQ(global.help_line2()->text(), "Draws text.");
  Caret(global.editor(), 20);
  global.RefreshHelpLines();
  EXPECT_EQ(global.help_line1()->text(), "n/a");
  EXPECT_EQ(global.help_line2()->text(), "n/a");
  Caret(global.editor(), 29);
  global.RefreshHelpLines();
  EXPECT_EQ(global.help_line1()->text(), "");
  EXPECT_EQ(global.help_line2()->text(), "");
  global.reject();

  project.scripts[0].code = project.settings.variables;
  EventCodeDialog event(nullptr, project.scripts[0], project, prefs, keywords);
  event.show();
  Caret(event.editor(), 7);
  event.RefreshHelpLines();
  EXPECT_EQ(event.help_line1()->text(), "draw_text(x, y, s)");
  Caret(event.editor(), 20);  // "n/a" keeps the previous help
  event.RefreshHelpLines();
  EXPECT_EQ(event.help_line1()->text(), "draw_text(x, y, s)");
  EXPECT_EQ(event.help_line2()->text(), "Draws text.");
  Caret(event.editor(), 29);
  event.RefreshHelpLines();
  EXPECT_EQ(event.help_line1()->text(), "");
  event.reject();
}

TEST_F(CodeDialogsTest, StepEventTurnedIntoCollisionWithATypedObject) {
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<EventCodeDialog*>(d);
    EXPECT_EQ(d->windowTitle(), "Code editor - Step event of object_0");
    EXPECT_EQ(dialog->event_box()->count(), 9);
    EXPECT_EQ(dialog->event_box()->currentText(), "Step");
    auto* field = qobject_cast<QLineEdit*>(dialog->with_control());
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->isVisible());
    EXPECT_FALSE(dialog->with_label()->isVisible());
    dialog->event_box()->setCurrentIndex(4);
    EXPECT_TRUE(field->isVisible());
    EXPECT_TRUE(dialog->with_label()->isVisible());
    EXPECT_EQ(field->text(), "p");
    field->setText("object_1");
    dialog->editor()->SetEditorText("bump();", false);
    dialog->ok_button()->click();
  });
  EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, 0));
  const Script& s = project.scripts[0];
  EXPECT_EQ(s.event, "Collision");
  EXPECT_EQ(s.parameter, "object_1");
  EXPECT_EQ(s.code, "bump();");
  EXPECT_EQ(project.modified, 0);  // the object editor decides
}

TEST_F(CodeDialogsTest, CollisionEventKeepsItsHiddenObjectChoice) {
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<EventCodeDialog*>(d);
    auto* objects = qobject_cast<QComboBox*>(dialog->with_control());
    ASSERT_NE(objects, nullptr);
    ASSERT_EQ(objects->count(), 3);  // empty, object_0, object_1; no instances
    EXPECT_EQ(objects->itemText(0), "");
    EXPECT_EQ(objects->itemText(2), "object_1");
    EXPECT_EQ(objects->currentText(), "object_1");
    EXPECT_TRUE(objects->isVisible());
    dialog->event_box()->setCurrentText("Draw");
    EXPECT_FALSE(objects->isVisible());
    dialog->ok_button()->click();
  });
  EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, 1));
  EXPECT_EQ(project.scripts[1].event, "Draw");
  EXPECT_EQ(project.scripts[1].parameter, "object_1");
  EXPECT_EQ(project.scripts[1].code, "hit();");
}

TEST_F(CodeDialogsTest, EventCodeCancelAndUnknownNamesChangeNothing) {
  project.scripts[1].parameter = "ghost";  // an object deleted since
  project.scripts.push_back({"scr_3", "object_1", "Keyboard", "", "k();"});
  const std::vector<Script> before = project.scripts;
  for (int index : {1, 2}) {
    WhenModalOpens([](QDialog* d) {
      auto* dialog = static_cast<EventCodeDialog*>(d);
      dialog->editor()->SetEditorText("lost", false);
      dialog->cancel_button()->click();
    });
    EXPECT_FALSE(EditEventCode(nullptr, project, prefs, keywords, index));
    WhenModalOpens([](QDialog* d) { static_cast<EventCodeDialog*>(d)->ok_button()->click(); });
    EXPECT_TRUE(EditEventCode(nullptr, project, prefs, keywords, index));
  }
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(project.scripts[i].event, before[i].event);
    EXPECT_EQ(project.scripts[i].parameter, before[i].parameter);
    EXPECT_EQ(project.scripts[i].code, before[i].code);
  }
  EXPECT_FALSE(EditEventCode(nullptr, project, prefs, keywords, 7));
  EXPECT_FALSE(EditEventCode(nullptr, project, prefs, keywords, -1));
}

TEST_F(CodeDialogsTest, SceneCodeOkAndCancel) {
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<SceneCodeDialog*>(d);
    EXPECT_EQ(d->windowTitle(), "Scene code editor");
    EXPECT_EQ(d->size(), QSize(800, 600));
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    EXPECT_EQ(dialog->editor()->geometry(), QRect(10, 10, 780, 540));
    EXPECT_EQ(dialog->editor()->GetEditorText(), "start();");
    dialog->editor()->SetEditorText("lost", false);
    dialog->cancel_button()->click();
  });
  EXPECT_FALSE(EditSceneCode(nullptr, project, prefs, keywords, 0));
  EXPECT_EQ(project.scenes[0].code, "start();");
  EXPECT_EQ(project.modified, 0);

  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<SceneCodeDialog*>(d);
    dialog->editor()->SetEditorText("start();\nmore();", false);
    dialog->ok_button()->click();
  });
  EXPECT_TRUE(EditSceneCode(nullptr, project, prefs, keywords, 0));
  EXPECT_EQ(project.scenes[0].code, "start();\nmore();");
  EXPECT_EQ(project.modified, 1);
  EXPECT_FALSE(EditSceneCode(nullptr, project, prefs, keywords, 1));
  EXPECT_EQ(prefs.x, -1);  // no geometry kept for this window
}

TEST_F(CodeDialogsTest, CommentsLeaveOnlyThroughOk) {
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<GameCommentsDialog*>(d);
    EXPECT_EQ(d->windowTitle(), "Game comments");
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog->text_box()->isReadOnly());
    d->close();
    test::PressKey(dialog->text_box(), Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    dialog->ok_button()->click();
  });
  EXPECT_TRUE(EditGameComments(nullptr, project));
  EXPECT_EQ(project.modified, 1);  // even without changes
  EXPECT_EQ(project.settings.comments, "Level ideas\r\n- more gems");

  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<GameCommentsDialog*>(d);
    dialog->text_box()->setPlainText("New notes");
    dialog->ok_button()->click();
  });
  EditGameComments(nullptr, project);
  EXPECT_EQ(project.settings.comments, "New notes");
}

TEST_F(CodeDialogsTest, CommentsViewerIsReadOnly) {
  WhenModalOpens([](QDialog* d) {
    auto* dialog = static_cast<GameCommentsDialog*>(d);
    EXPECT_TRUE(dialog->text_box()->isReadOnly());
    EXPECT_EQ(dialog->text_box()->toPlainText(), "Level ideas\n- more gems");
    dialog->ok_button()->click();
  });
  ShowGameComments(nullptr, project);
  EXPECT_EQ(project.settings.comments, "Level ideas\r\n- more gems");
  EXPECT_EQ(project.modified, 0);
}

}  // namespace
}  // namespace vorlane
