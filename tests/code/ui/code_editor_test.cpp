#include "code/ui/code_editor.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

#include "code/fake_document.h"
#include "code/script_styler.h"
#include "code/ui/scintilla_messages.h"
#include "code/ui/script_setup.h"
#include "code/ui/typing.h"

namespace vorlane {
namespace {

using test::PressKey;
using test::Type;

constexpr unsigned kGetCaretLineVisible = 2095;
constexpr unsigned kGetCaretLineBack = 2097;
constexpr unsigned kStyleGetFore = 2481;
constexpr unsigned kStyleGetItalic = 2484;
constexpr unsigned kTextHeight = 2279;
constexpr unsigned kGetLineVisible = 2228;

struct CodeEditorTest : ::testing::Test {
  CodeEditorTest() {
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "foo_bar", "Fn", "foo_bar()", "Foos.");
    AddKeyConstants(keywords);
    editor.resize(600, 400);
    SetupScriptStyling(editor, prefs, project, keywords);
    editor.show();
  }

  // The styles the widget holds, written as FakeDocument writes them.
  std::string Styles() {
    std::string s;
    for (long i = 0; i < editor.Send(sci::GETLENGTH); ++i) {
      s += test::StyleChar(static_cast<int>(editor.Send(sci::GETSTYLEAT, i)));
    }
    return s;
  }
  void CaretAt(long position) { editor.Send(sci::GOTOPOS, position); }

  QApplication& app = test::QtApp();  // before any widget
  Preferences prefs;
  Project project;
  KeywordList keywords;
  CodeEditor editor;
};

TEST_F(CodeEditorTest, TypingOrDeletingACommentRestylesTheLinesBelow) {
  editor.SetEditorText("/*\nvar x = 1;\n*/ y", true);
  EXPECT_EQ(Styles(), "33.3333333333.33..");
  EXPECT_EQ(editor.GetLineState(1), 1);
  EXPECT_EQ(editor.GetLineState(7), 0);  // no such line
  CaretAt(0);
  PressKey(&editor, Qt::Key_Delete);
  PressKey(&editor, Qt::Key_Delete);
  editor.grab();
  EXPECT_EQ(Styles(), ".222.....5......");
  EXPECT_EQ(editor.GetLineState(1), 0);
  Type(&editor, "/*");
  editor.grab();
  EXPECT_EQ(Styles(), "33.3333333333.33..");
}

TEST_F(CodeEditorTest, PaintingStylesOnlyTheChangedLines) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "x = draw_text(1, 'a'); // note\n";
  editor.SetEditorText(text, true);
  EXPECT_EQ(editor.lines_styled_last_time(), 2000);
  const long middle = editor.Send(sci::POSITIONFROMLINE, 1000);
  CaretAt(middle);
  Type(&editor, "q");
  editor.grab();  // paints, which asks for styles of the visible lines
  EXPECT_GT(editor.lines_styled_last_time(), 0);
  EXPECT_LT(editor.lines_styled_last_time(), 100);
  EXPECT_EQ(editor.Send(sci::GETSTYLEAT, middle), kDefaultStyle);
  EXPECT_EQ(editor.Send(sci::GETSTYLEAT, middle + 5), kStyleEngineFunction);
}

TEST_F(CodeEditorTest, FoldMarginClickFoldsAHeaderAndOnlyAHeader) {
  editor.SetEditorText("if (a) {\n\tb();\n\tc();\n}\nd();\n", true);
  const long line_height = editor.Send(kTextHeight, 0);
  const int x = static_cast<int>(editor.Send(sci::GETMARGINWIDTHN, 0)) + 12;
  auto click = [&](int line) {
    const QPointF at(x, (line + 0.5) * line_height);
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, editor.viewport()->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
      QApplication::sendEvent(editor.viewport(), &event);
    }
  };
  click(1);  // not a header: nothing folds
  EXPECT_EQ(editor.Send(kGetLineVisible, 2), 1);
  click(0);
  EXPECT_EQ(editor.Send(kGetLineVisible, 1), 0);
  EXPECT_EQ(editor.Send(kGetLineVisible, 3), 0);
  EXPECT_EQ(editor.Send(kGetLineVisible, 4), 1);
  // Typing inside the folded block shows it again.
  CaretAt(10);
  Type(&editor, "x");
  EXPECT_EQ(editor.Send(kGetLineVisible, 1), 1);
  // Folding off clears the levels.
  editor.SetStylingFlags(kStylingOn);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 0), 0);
}

TEST_F(CodeEditorTest, CompletionListWhileTyping) {
  editor.SetEditorText("", true);
  editor.setFocus();
  Type(&editor, "fo");
  EXPECT_FALSE(editor.Send(sci::AUTOCACTIVE));
  Type(&editor, "o");
  EXPECT_TRUE(editor.Send(sci::AUTOCACTIVE));
  EXPECT_EQ(editor.completion_list(), "foo_bar");
  // Deleting back to two characters closes the list.
  PressKey(&editor, Qt::Key_Backspace);
  EXPECT_FALSE(editor.Send(sci::AUTOCACTIVE));
  EXPECT_EQ(editor.completion_list(), "");
  // Typing on refreshes the list, and closes it when the completion says so.
  Type(&editor, "o_bar");
  EXPECT_FALSE(editor.Send(sci::AUTOCACTIVE));
}

TEST_F(CodeEditorTest, EnterCopiesTheIndentationOfTheLineAbove) {
  for (const std::string line : {"\t\tif (x) {", "x"}) {
    editor.SetEditorText(line, true);
    CaretAt(editor.Send(sci::GETLENGTH));
    PressKey(&editor, Qt::Key_Return, "\r");
    EXPECT_EQ(editor.GetEditorText(), line + "\n" + line.substr(0, line.find_first_not_of('\t')));
    EXPECT_EQ(editor.Send(sci::GETCURRENTPOS), editor.Send(sci::GETLENGTH));
  }
}

TEST_F(CodeEditorTest, TextAndLinesRoundTripAsUtf8) {
  const std::string text = "a = '\xC3\xA9t\xC3\xA9';\r\nb\n\nlast";
  editor.SetEditorText(text, false);
  EXPECT_EQ(editor.GetEditorText(), text);
  EXPECT_EQ(editor.GetEditorLine(0), "a = '\xC3\xA9t\xC3\xA9';");
  EXPECT_EQ(editor.GetEditorLine(3) + editor.GetEditorLine(2) + editor.GetEditorLine(4) +
                editor.GetEditorLine(-1),
            "last");
  editor.SetEditorText("", true);
  EXPECT_EQ(editor.GetEditorText(), "");
}

// The preferences' colours, and words and options added later, reach the
// styles (the colours set after the font, whose change resets every style).
TEST_F(CodeEditorTest, ColoursWordsAndOptionsReachTheStyles) {
  EXPECT_EQ(editor.Send(kStyleGetFore, kStyleKeyword), prefs.sci_color_command);
  EXPECT_EQ(editor.Send(kStyleGetItalic, kStyleComment), 1);
  EXPECT_EQ(editor.Send(kGetCaretLineBack), prefs.sci_color_caret);
  editor.SetEditorColor(kColorCaretLine, 0xFFFFFFFFu);
  EXPECT_EQ(editor.Send(kGetCaretLineVisible), 0);
  editor.SetEditorText("zork(1) 'q'", true);
  EXPECT_EQ(Styles(), "6666656.444");
  editor.AddEditorKeywords("zork", kStyleResource, kWordComplete, true);
  editor.SetEditorOption(kOptionNumberStyle, 9);
  EXPECT_EQ(Styles(), "7777696.444");
  editor.AddEditorDelimiter("'", "", kWordPaired, 9);  // no closer: refused
  EXPECT_EQ(editor.LookupEditorWord("'")->style, kStyleString);
}

}  // namespace
}  // namespace vorlane
