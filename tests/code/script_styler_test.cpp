#include "code/script_styler.h"

#include <gtest/gtest.h>

#include "code/fake_document.h"

namespace vorlane {
namespace {

using test::FakeDocument;

// The JavaScript setup with one sprite "spr", one engine function and the
// key constants.
struct ScriptFixture : ::testing::Test {
  ScriptFixture() {
    project.sprites.push_back({});
    project.sprites.back().name = "spr";
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "room_speed", "Var", "", "");
    AddKeyConstants(keywords);
    ConfigureScriptStyling(editor, project, keywords);
  }
  // Styles the whole text; one character per byte, '.' for the default style.
  std::string Styles(const std::string& text) {
    FakeDocument document(text);
    RestyleLines(editor, document, 0, -1);
    return document.StyleString();
  }

  Project project;
  KeywordList keywords;
  EditorStyling editor;
};

TEST_F(ScriptFixture, KeywordsMatchInAnyCaseAndNamesByClass) {
  EXPECT_EQ(Styles("IF Function NULL"), "22.22222222.2222");
  EXPECT_EQ(Styles("spr draw_text room_speed vk_up"), "777.888888888.9999999999.aaaaa");
  EXPECT_EQ(Styles("SPR Vk_Up"), "777.aaaaa");
  EXPECT_EQ(Styles("sprite"), "......");
}

TEST_F(ScriptFixture, StringsHaveNoEscapesAndEndWithTheirLine) {
  EXPECT_EQ(Styles("'it''s'"), "4444444");
  EXPECT_EQ(Styles("'a\\'b'"), "4444.4");
  EXPECT_EQ(Styles("x = \"a // b /* c\";"), "....4444444444444.");
  EXPECT_EQ(Styles("\"open\nnext"), "44444.....");
  EXPECT_EQ(Styles("'"), "4");
}

TEST_F(ScriptFixture, CallMarksColourTheNameInFront) {
  EXPECT_EQ(Styles("foo(x)"), "6666.6");
  EXPECT_EQ(Styles("foo (x)"), "66666.6");
  EXPECT_EQ(Styles("foo  \t(x)"), "6666666.6");
  // Known names keep their own style.
  EXPECT_EQ(Styles("spr(1)"), "777656");
  EXPECT_EQ(Styles("if(a)"), "226.6");
  EXPECT_EQ(Styles("draw_text (1)"), "888888888.656");
  EXPECT_EQ(Styles("foo)"), "...6");
  EXPECT_EQ(Styles("\xC3\xA9t\xC3\xA9("), "666666");
}

TEST_F(ScriptFixture, NumbersAreDigitsWithOneDot) {
  EXPECT_EQ(Styles("12 1.5 .5 3."), "55.555.55.55");
  EXPECT_EQ(Styles("0x1F 1e5"), "........");
  EXPECT_EQ(Styles("a.b x[1]"), "......5.");
  EXPECT_EQ(Styles("f(2,3);"), "665.56.");
  EXPECT_EQ(Styles("x=-4"), "...5");
}

TEST_F(ScriptFixture, LineCommentsNeedABlankOrSemicolonInFront) {
  EXPECT_EQ(Styles("// all"), "333333");
  EXPECT_EQ(Styles("a //b"), "..333");
  EXPECT_EQ(Styles("a;//b"), "..333");
  EXPECT_EQ(Styles("a//b"), "....");
  EXPECT_EQ(Styles("x=1/2//3"), "..5.5..5");
  EXPECT_EQ(Styles("\t//tab\r\nx"), ".33333...");
  EXPECT_EQ(Styles("f() //c"), "666.333");
}

TEST_F(ScriptFixture, BlockCommentsSpanLinesAndTheirRemovalRestylesThem) {
  FakeDocument document("a /* b\nc\nd */ e\nf");
  EXPECT_EQ(RestyleLines(editor, document, 0, -1), 4);
  EXPECT_EQ(document.StylesOfLine(0), "..3333.");
  EXPECT_EQ(document.StylesOfLine(1), "3.");
  EXPECT_EQ(document.StylesOfLine(2), "3333...");
  EXPECT_EQ(document.StylesOfLine(3), ".");
  EXPECT_EQ(document.GetLineState(0), 1);
  EXPECT_EQ(document.GetLineState(1), 1);
  EXPECT_EQ(document.GetLineState(2), 0);

  // Deleting "/*": styling of line 0 goes on while the states change.
  document.SetText("a  b\nc\nd */ e\nf");
  EXPECT_EQ(RestyleLines(editor, document, 0, 0), 3);
  EXPECT_EQ(document.StylesOfLine(1), "..");
  EXPECT_EQ(document.StylesOfLine(2), ".......");
  EXPECT_EQ(document.GetLineState(0), 0);
  EXPECT_EQ(document.GetLineState(1), 0);
}

TEST_F(ScriptFixture, BlockCommentEdgeCases) {
  EXPECT_EQ(Styles("/**/x"), "3333.");
  EXPECT_EQ(Styles("/*/ x */y"), "33333333.");
  EXPECT_EQ(Styles("'/*' x"), "4444..");
  EXPECT_EQ(Styles("a/*b*/c/*d"), ".33333.333");
  // An unterminated comment runs to the end of the text.
  EXPECT_EQ(Styles("/*\n\n\nx"), "33...3");
}

TEST_F(ScriptFixture, RestylingStartsOneLineEarlierAndStopsWhenStatesAgree) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x = 1;\n";
  FakeDocument document(text);
  RestyleLines(editor, document, 0, -1);
  EXPECT_EQ(RestyleLines(editor, document, 50, 52), 4);
  // Opening a comment at the top changes every following line.
  text.replace(0, 1, "/*");
  document.SetText(text);
  EXPECT_EQ(RestyleLines(editor, document, 0, 3), 100);
  EXPECT_EQ(document.StylesOfLine(99), "333333.");
}

TEST_F(ScriptFixture, FoldLevelsFollowBraces) {
  FakeDocument document("function f() {\n  x;\n  if (a) {\n    y;\n  }\n}\n");
  RestyleLines(editor, document, 0, -1);
  const int header = kFoldLevelHeaderFlag;
  EXPECT_EQ(document.GetFoldLevel(0), 0x400 | header);
  EXPECT_EQ(document.GetFoldLevel(1), 0x401);
  EXPECT_EQ(document.GetFoldLevel(2), 0x401 | header);
  EXPECT_EQ(document.GetFoldLevel(3), 0x402);
  EXPECT_EQ(document.GetFoldLevel(4), 0x402);
  EXPECT_EQ(document.GetFoldLevel(5), 0x401);
  EXPECT_EQ(document.GetFoldLevel(6), 0x400);

  // Restyling from the middle picks up the level of the line before.
  EXPECT_EQ(RestyleLines(editor, document, 4, 4), 2);
  EXPECT_EQ(document.GetFoldLevel(4), 0x402);
  EXPECT_EQ(document.GetFoldLevel(5), 0x401);
}

TEST_F(ScriptFixture, BracesGluedToWordsAndStrayClosersDoNotFold) {
  FakeDocument document("}\nelse{\n{x\nif (a) {\n} else {\n}\n");
  RestyleLines(editor, document, 0, -1);
  EXPECT_EQ(document.GetFoldLevel(0), 0x400);
  EXPECT_EQ(document.GetFoldLevel(1), 0x400);
  EXPECT_EQ(document.GetFoldLevel(2), 0x400);
  EXPECT_EQ(document.GetFoldLevel(3), 0x400 | kFoldLevelHeaderFlag);
  EXPECT_EQ(document.GetFoldLevel(4), 0x401);
  EXPECT_EQ(document.GetFoldLevel(5), 0x401);
  EXPECT_EQ(document.GetFoldLevel(6), 0x400);
  EXPECT_EQ(document.StylesOfLine(1), "......");
  EXPECT_EQ(document.StylesOfLine(2), "...");
  EXPECT_EQ(document.StylesOfLine(4), "2.2222.2.");
}

TEST_F(ScriptFixture, FeaturesOffStyleEverythingDefaultAndClearFolds) {
  editor.features = 0;
  FakeDocument document("if (x) {\n'a'\n}");
  RestyleLines(editor, document, 0, -1);
  EXPECT_EQ(document.StylesOfLine(1), "....");
  EXPECT_EQ(document.GetFoldLevel(0), 0);
}

TEST(WordTableTest, RegistrationsMergeAndLaterStylesWin) {
  WordTable table;
  EXPECT_EQ(table.AddWords("  alpha Beta  gamma ", 7, kWordComplete), 3);
  EXPECT_EQ(table.AddWords("ALPHA", 8, 0x10), 1);
  ASSERT_EQ(table.size(), 3u);
  const EditorWord* alpha = table.Lookup(" alpha ");
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->word, "ALPHA");
  EXPECT_EQ(alpha->style, 8);
  EXPECT_EQ(alpha->flags, kWordComplete | 0x10);
  EXPECT_EQ(table.AddWords("beta", -1, 0), 1);
  EXPECT_EQ(table.Lookup("BETA")->style, 7);
  table.Sort();
  EXPECT_EQ(table[0].word, "ALPHA");
  EXPECT_EQ(table[1].word, "beta");
  EXPECT_EQ(table.AddWords("", 1, 1), 0);

  WordTable exact(true);
  exact.AddWords("Foo foo", 2, 0);
  EXPECT_EQ(exact.size(), 2u);
  EXPECT_EQ(exact.Lookup("FOO"), nullptr);
  EXPECT_EQ(FoldCase("\xC3\x89T\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
}

}  // namespace
}  // namespace vorlane
