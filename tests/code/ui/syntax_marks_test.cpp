// Every code dialog marks a syntax error as the user types, and opens at a
// line when asked to.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <functional>
#include <memory>

#include "code/ui/code_dialogs.h"
#include "code/ui/code_editor.h"
#include "code/ui/scintilla_messages.h"
#include "code/ui/syntax_marker.h"
#include "code/ui/typing.h"
#include "editors/ui/editor_dialogs.h"
#include "editors/ui/function_dialog.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

struct SyntaxMarksTest : test::DialogTest {
  SyntaxMarksTest() {
    const std::string code = "draw_text(1, 2, s);\n";
    project.settings.functions = project.settings.variables = code;
    project.objects.resize(1);
    project.objects[0].name = "obj_ball";
    project.scripts = {{"scr_1", "obj_ball", "Step", "", code}};
    project.scenes.resize(1);
    project.scenes[0].code = code;
    project.fns = {{"fn_add", "a, b", "", code}};
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
  }
  // The 0-based line the error marker is on, or -1.
  static int Marked(CodeEditor* editor) {
    return static_cast<int>(editor->Send(sci::MARKERNEXT, 0, 1 << kSyntaxErrorMarker));
  }

  Preferences prefs;
  Project project;
  KeywordList keywords;
};

TEST_F(SyntaxMarksTest, TypedErrorIsMarkedAndNamedUntilFixed) {
  std::unique_ptr<QDialog> windows[] = {
      std::make_unique<EventCodeDialog>(nullptr, project.scripts[0], project, prefs, keywords),
      std::make_unique<SceneCodeDialog>(nullptr, project.scenes[0], project, prefs, keywords),
      std::make_unique<GlobalCodeDialog>(nullptr, "Global variables", project.settings.variables,
                                         project, prefs, keywords),
      std::make_unique<FunctionDialog>(nullptr, project, prefs, keywords, 0)};
  for (const auto& window : windows) {
    SCOPED_TRACE(window->windowTitle().toStdString());
    auto* editor = window->findChild<CodeEditor*>();
    auto* marker = window->findChild<SyntaxMarker*>();
    ASSERT_TRUE(editor && marker);
    // The help of the name at the caret, in the windows that give one.
    auto* code_window = dynamic_cast<CodeWindow*>(window.get());
    if (code_window) code_window->RefreshHelpLines();
    marker->CheckNow();
    const QString usual = marker->help_line()->text();
    EXPECT_EQ(usual, code_window ? "Draws text." : "");

    editor->Send(sci::GOTOPOS, editor->Send(sci::GETLENGTH));
    test::Type(editor, "y = );");
    EXPECT_TRUE(marker->pending());
    marker->CheckNow();
    EXPECT_FALSE(marker->pending());
    ASSERT_TRUE(marker->error());
    EXPECT_EQ(marker->error()->line, 2);
    EXPECT_EQ(Marked(editor), 1);
    EXPECT_EQ(marker->help_line()->text().toStdString(), SyntaxErrorText(*marker->error()));
    EXPECT_EQ(test::Clipped(*window), std::vector<std::string>{});

    test::PressKey(editor, Qt::Key_Backspace);
    test::PressKey(editor, Qt::Key_Backspace);
    test::Type(editor, "1;");
    marker->CheckNow();
    EXPECT_FALSE(marker->error());
    EXPECT_EQ(Marked(editor), -1);
    EXPECT_EQ(marker->help_line()->text(), usual);
    window->hide();
  }
}

TEST_F(SyntaxMarksTest, OpensAtTheGivenLine) {
  std::string code;
  for (int i = 1; i <= 90; ++i) code += "x = " + std::to_string(i) + ";\n";
  project.settings.functions = project.settings.variables = project.scripts[0].code =
      project.scenes[0].code = project.fns[0].code = code;
  const std::function<void()> opens[] = {
      [&] { EditEventCode(nullptr, project, prefs, keywords, 0, 70); },
      [&] { EditSceneCode(nullptr, project, prefs, keywords, 0, 70); },
      [&] { EditGlobalFunctions(nullptr, project, prefs, keywords, 70); },
      [&] { EditGlobalVariables(nullptr, project, prefs, keywords, 70); },
      [&] { EditFunction(nullptr, project, prefs, keywords, "fn_add", 70); }};
  for (const auto& open : opens) {
    dialogs_.Drive([](QDialog& dialog) {
      SCOPED_TRACE(dialog.windowTitle().toStdString());
      dialog.show();
      auto* editor = dialog.findChild<CodeEditor*>();
      const long caret = editor->Send(sci::GETCURRENTPOS);
      EXPECT_EQ(editor->Send(sci::LINEFROMPOSITION, caret), 69);
      EXPECT_EQ(caret, editor->Send(sci::POSITIONFROMLINE, 69));
      EXPECT_EQ(editor->Send(sci::GETSELECTIONEND), editor->Send(sci::GETLINEENDPOSITION, 69));
      const long first = editor->Send(sci::GETFIRSTVISIBLELINE);
      EXPECT_TRUE(first < 69 && 69 < first + editor->Send(sci::LINESONSCREEN)) << first;
      dialog.done(QDialog::Rejected);
    });
    open();
  }
}

}  // namespace
}  // namespace vorlane
