// Every code dialog marks a syntax error as the user types, and opens at a line.
#include <gtest/gtest.h>

#include <QLabel>

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
    std::string code = "draw_text(1, 2, s);\n";
    for (int i = 2; i <= 90; ++i) code += "x = " + std::to_string(i) + ";\n";
    project.settings.functions = project.settings.variables = code;
    project.scripts = {{"scr_1", "obj_ball", "Step", "", code}};
    project.scenes = {Scene{.code = code}};
    project.fns = {{"fn_add", "a, b", "", code}};
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
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
    const auto marked = [&] { return editor->Send(sci::MARKERNEXT, 0, 1 << kSyntaxErrorMarker); };
    // The help of the name at the caret, in the windows that give one.
    auto* code_window = dynamic_cast<CodeWindow*>(window.get());
    if (code_window) code_window->RefreshHelpLines();
    const QString usual = code_window ? "Draws text." : "";
    marker->CheckNow();
    EXPECT_EQ(marker->help_line()->text(), usual);

    editor->Send(sci::GOTOPOS, editor->Send(sci::GETLENGTH));
    test::Type(editor, "y = );");
    EXPECT_TRUE(marker->pending());
    marker->CheckNow();
    ASSERT_TRUE(marker->error() && !marker->pending());
    EXPECT_EQ(marker->error()->line, 91);
    EXPECT_EQ(marked(), 90);
    EXPECT_EQ(marker->help_line()->text().toStdString(), SyntaxErrorText(*marker->error()));
    EXPECT_EQ(test::Clipped(*window), std::vector<std::string>{});

    for (int i = 0; i < 2; ++i) test::PressKey(editor, Qt::Key_Backspace);
    test::Type(editor, "1;");
    marker->CheckNow();
    EXPECT_EQ(marked(), -1);
    EXPECT_EQ(marker->help_line()->text(), usual);
  }
}

TEST_F(SyntaxMarksTest, OpensAtTheGivenLine) {
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
      EXPECT_EQ(editor->Send(sci::GETCURRENTPOS), editor->Send(sci::POSITIONFROMLINE, 69));
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
