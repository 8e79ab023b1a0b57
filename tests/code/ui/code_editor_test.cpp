#include "code/ui/code_editor.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

#include "code/script_styler.h"
#include "code/ui/typing.h"
#include "code/ui/scintilla_messages.h"
#include "code/ui/script_setup.h"

namespace vorlane {
namespace {

using test::PressKey;
using test::Type;

constexpr unsigned kColourise = 4003;
constexpr unsigned kGetCaretLineVisible = 2095;
constexpr unsigned kGetCaretLineBack = 2097;
constexpr unsigned kStyleGetFore = 2481;
constexpr unsigned kStyleGetItalic = 2484;
constexpr unsigned kGetUseTabs = 2125;
constexpr unsigned kGetTabWidth = 2121;
constexpr unsigned kDeleteRange = 2645;
constexpr unsigned kInsertText = 2003;
constexpr unsigned kTextHeight = 2279;
constexpr unsigned kGetLineVisible = 2228;

class CodeEditorTest : public ::testing::Test {
 protected:
  CodeEditorTest() {
    project.sprites.push_back({});
    project.sprites.back().name = "spr";
    project.objects.push_back({});
    project.objects.back().name = "player";
    GameObject instance;
    instance.prototype = 0;
    instance.name = "inst_7";
    project.objects.push_back(instance);
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "room_speed", "Var", "", "");
    AddKeywordRecord(keywords, "foo_bar", "Fn", "foo_bar()", "Foos.");
    AddKeyConstants(keywords);
    editor.resize(600, 400);
    SetupScriptStyling(editor, prefs, project, keywords);
    editor.show();
  }

  // Styles of the whole text as the widget holds them; '.' is style 32.
  std::string Styles() {
    std::string s;
    const long length = editor.Send(sci::GETLENGTH);
    for (long i = 0; i < length; ++i) {
      const long st = editor.Send(sci::GETSTYLEAT, static_cast<unsigned long>(i));
      s += st == 32 ? '.' : st < 10 ? char('0' + st) : char('a' + st - 10);
    }
    return s;
  }
  std::string Styles(const std::string& text) {
    editor.SetEditorText(text, true);
    return Styles();
  }
  // What painting would ask for: styles from the first unstyled line on.
  void StyleNow() { editor.Send(kColourise, static_cast<unsigned long>(editor.Send(sci::GETENDSTYLED)), -1); }
  void CaretAt(long position) { editor.Send(sci::GOTOPOS, static_cast<unsigned long>(position)); }

  QApplication& app = test::QtApp();  // before any widget
  Preferences prefs;
  Project project;
  KeywordList keywords;
  CodeEditor editor;
};

TEST_F(CodeEditorTest, StylesReadBackFromTheWidget) {
  EXPECT_EQ(Styles("IF Function NULL"), "22.22222222.2222");
  EXPECT_EQ(Styles("spr player inst_7 draw_text room_speed vk_up"),
            "777.777777........888888888.9999999999.aaaaa");
  EXPECT_EQ(Styles("'it''s' 'a\\'b'"), "4444444.4444.4");
  EXPECT_EQ(Styles("foo(x) foo (x) spr(1)"), "6666.6.66666.6.777656");
  EXPECT_EQ(Styles("12 1.5 .5 3. 0x1F 1e5"), "55.555.55.55.........");
  EXPECT_EQ(Styles("a //b\na;//b\na//b\nx=1/2//3"), "..333...333........5.5..5");
  EXPECT_EQ(Styles("{\n}"), "2.2");
}

TEST_F(CodeEditorTest, BlockCommentAcrossLinesAndItsRemoval) {
  EXPECT_EQ(Styles("/*\nvar x = 1;\n*/ y"), "33.3333333333.33..");
  EXPECT_EQ(editor.GetLineState(0), 1);
  EXPECT_EQ(editor.GetLineState(1), 1);
  EXPECT_EQ(editor.GetLineState(2), 0);
  EXPECT_EQ(editor.GetLineState(7), 0);  // no such line

  editor.Send(kDeleteRange, 0, 2);
  StyleNow();
  EXPECT_EQ(Styles(), ".222.....5......");
  EXPECT_EQ(editor.GetLineState(0), 0);
  EXPECT_EQ(editor.GetLineState(1), 0);

  editor.SendScintilla(kInsertText, 0ul, "/*");
  StyleNow();
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
  EXPECT_EQ(editor.Send(sci::GETSTYLEAT, static_cast<unsigned long>(middle)), 32);
  EXPECT_EQ(editor.Send(sci::GETSTYLEAT, static_cast<unsigned long>(middle + 5)), kStyleEngineFunction);
}

TEST_F(CodeEditorTest, FoldLevelsAndMarkers) {
  editor.SetEditorText("function f() {\n\tif (a) {\n\t\tb();\n\t}\n}\n", true);
  const int header = kFoldLevelHeaderFlag;
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 0), 0x400 | header);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 1), 0x401 | header);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 2), 0x402);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 3), 0x402);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 4), 0x401);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 5), 0x400);
  EXPECT_EQ(editor.Send(sci::GETMARGINWIDTHN, 2), 24);

  // Folding off clears the levels.
  editor.SetStylingFlags(kStylingOn);
  EXPECT_EQ(editor.Send(sci::GETFOLDLEVEL, 0), 0);
}

TEST_F(CodeEditorTest, FoldMarginClickFoldsAHeaderAndOnlyAHeader) {
  editor.SetEditorText("if (a) {\n\tb();\n\tc();\n}\nd();\n", true);
  const long lineHeight = editor.Send(kTextHeight, 0);
  const int x = static_cast<int>(editor.Send(sci::GETMARGINWIDTHN, 0)) + 12;
  auto click = [&](int line) {
    const QPointF at(x, line * lineHeight + lineHeight / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, editor.viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, editor.viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &release);
  };
  click(1);  // not a header: nothing folds
  EXPECT_EQ(editor.Send(kGetLineVisible, 2), 1);
  click(0);
  EXPECT_EQ(editor.Send(kGetLineVisible, 1), 0);
  EXPECT_EQ(editor.Send(kGetLineVisible, 3), 0);
  EXPECT_EQ(editor.Send(kGetLineVisible, 4), 1);
  // Typing inside the folded block shows it again.
  editor.Send(sci::GOTOPOS, 10);
  Type(&editor, "x");
  EXPECT_EQ(editor.Send(kGetLineVisible, 1), 1);
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

  editor.SetEditorText("", true);
  Type(&editor, "x = vk_");
  EXPECT_TRUE(editor.Send(sci::AUTOCACTIVE));
  EXPECT_EQ(std::count(editor.completion_list().begin(), editor.completion_list().end(), ' '), 81);
  Type(&editor, "space");
  EXPECT_FALSE(editor.Send(sci::AUTOCACTIVE));

  // Sprite and keyword names together, each once, in list order.
  editor.SetEditorText("", true);
  Type(&editor, "PLA");
  EXPECT_EQ(editor.completion_list(), "player");
  editor.SetEditorText("", true);
  Type(&editor, "ins");
  EXPECT_EQ(editor.completion_list(), "instanceof");  // scene instances are no candidates
}

TEST_F(CodeEditorTest, EnterCopiesTheIndentationOfTheLineAbove) {
  editor.SetEditorText("\t\tif (x) {", true);
  CaretAt(editor.Send(sci::GETLENGTH));
  PressKey(&editor, Qt::Key_Return, "\r");
  EXPECT_EQ(editor.GetEditorText(), "\t\tif (x) {\n\t\t");
  EXPECT_EQ(editor.Send(sci::GETCURRENTPOS), editor.Send(sci::GETLENGTH));
  EXPECT_EQ(editor.Send(kGetUseTabs), 1);
  EXPECT_EQ(editor.Send(kGetTabWidth), 4);
  // An unindented line gives an unindented line.
  editor.SetEditorText("x", true);
  CaretAt(1);
  PressKey(&editor, Qt::Key_Return, "\r");
  EXPECT_EQ(editor.GetEditorText(), "x\n");
}

TEST_F(CodeEditorTest, TextAndLinesRoundTripAsUtf8) {
  const std::string text = "a = '\xC3\xA9t\xC3\xA9';\r\nb\n\nlast";
  editor.SetEditorText(text, false);
  EXPECT_EQ(editor.GetEditorText(), text);
  EXPECT_EQ(editor.GetEditorLine(0), "a = '\xC3\xA9t\xC3\xA9';");
  EXPECT_EQ(editor.GetEditorLine(2), "");
  EXPECT_EQ(editor.GetEditorLine(3), "last");
  EXPECT_EQ(editor.GetEditorLine(4), "");
  EXPECT_EQ(editor.GetEditorLine(-1), "");
  editor.SetEditorText("", true);
  EXPECT_EQ(editor.GetEditorText(), "");
  EXPECT_EQ(editor.Send(sci::GETLINECOUNT), 1);
}

TEST_F(CodeEditorTest, LineNumberMarginFitsTheLineCount) {
  editor.SetEditorText("", true);
  const long one = editor.SendScintilla(sci::TEXTWIDTH, static_cast<uintptr_t>(33), "9");
  EXPECT_EQ(editor.Send(sci::GETMARGINWIDTHN, 0), one + 10);
  editor.SetEditorText(std::string(120, '\n'), true);
  const long three = editor.SendScintilla(sci::TEXTWIDTH, static_cast<uintptr_t>(33), "999");
  EXPECT_EQ(editor.Send(sci::GETMARGINWIDTHN, 0), three + 10);
  editor.SetMarginWidth(0, 3);  // sized by the line count only
  EXPECT_EQ(editor.Send(sci::GETMARGINWIDTHN, 0), three + 10);
}

TEST_F(CodeEditorTest, PreferenceColoursAndTheCaretLine) {
  EXPECT_EQ(editor.Send(kGetCaretLineVisible), 1);
  EXPECT_EQ(editor.Send(kGetCaretLineBack), prefs.sci_color_caret);
  EXPECT_EQ(editor.Send(kStyleGetFore, kStyleKeyword), prefs.sci_color_command);
  EXPECT_EQ(editor.Send(kStyleGetFore, kStyleComment), prefs.sci_color_comment);
  EXPECT_EQ(editor.Send(kStyleGetItalic, kStyleComment), 1);
  EXPECT_EQ(editor.Send(kStyleGetItalic, kStyleString), 0);
  EXPECT_EQ(editor.Send(kStyleGetFore, kStyleEngineConstant), prefs.sci_color_vr_constant);
  EXPECT_EQ(editor.Send(kStyleGetFore, kDefaultStyle), prefs.sci_color_fore);
  editor.SetEditorColor(kColorCaretLine, 0xFFFFFFFFu);
  EXPECT_EQ(editor.Send(kGetCaretLineVisible), 0);
}

TEST_F(CodeEditorTest, KeywordAtTheCaret) {
  editor.SetEditorText("\t\tx = foo_bar(draw_text);\nvk_up", true);
  CaretAt(9);  // inside foo_bar, after two tabs
  EXPECT_EQ(editor.FindKeywordAtCaret(keywords), 2);
  CaretAt(17);  // inside draw_text
  EXPECT_EQ(editor.FindKeywordAtCaret(keywords), 0);
  CaretAt(editor.Send(sci::GETLENGTH));
  EXPECT_EQ(editor.FindKeywordAtCaret(keywords), -1);  // constants have no help
}

TEST_F(CodeEditorTest, WordTableOperationsRestyle) {
  editor.SetEditorText("zork(1) 'q'", true);
  EXPECT_EQ(Styles(), "6666656.444");
  editor.AddEditorKeywords("zork", kStyleResource, kWordComplete, true);
  EXPECT_EQ(Styles(), "7777656.444");
  ASSERT_NE(editor.LookupEditorWord(" ZORK "), nullptr);
  EXPECT_EQ(editor.LookupEditorWord("zork")->style, kStyleResource);
  editor.AddEditorDelimiter("'", "", kWordPaired, 9);  // no closer: refused
  EXPECT_EQ(editor.LookupEditorWord("'")->style, kStyleString);
  editor.SetEditorOption(kOptionNumberStyle, 9);
  EXPECT_EQ(Styles().substr(5, 1), "9");
}

}  // namespace
}  // namespace vorlane
