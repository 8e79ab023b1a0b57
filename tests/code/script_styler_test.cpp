#include "code/script_styler.h"

#include <gtest/gtest.h>

#include "code/fake_document.h"

namespace vorlane {
namespace {

using test::FakeDocument;

// The JavaScript setup with a sprite, an object and its instance, an engine
// function and variable, and the key constants.
struct ScriptFixture : ::testing::Test {
  ScriptFixture() {
    project.sprites.resize(1);
    project.sprites[0].name = "spr";
    project.objects.resize(2);
    project.objects[0].name = "player";
    project.objects[1].name = "inst_7";
    project.objects[1].prototype = 0;  // placed in a scene
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "room_speed", "Var", "", "");
    AddKeyConstants(keywords);
    ConfigureScriptStyling(editor, project, keywords);
  }
  std::string Styles(const std::string& text) {
    FakeDocument document(text);
    RestyleLines(editor, document, 0, -1);
    return document.Styles();
  }

  Project project;
  KeywordList keywords;
  EditorStyling editor;
};

// 2 keyword, 3 comment, 4 string, 5 number, 6 call, 7 resource, 8 engine
// function, 9 engine variable, a engine constant.
TEST_F(ScriptFixture, StylesOfOneLine) {
  const std::pair<const char*, const char*> cases[] = {
      // Keywords in any case, names by their class.
      {"IF Function NULL", "22.22222222.2222"}, {"SPR Vk_Up", "777.aaaaa"}, {"sprite", "......"},
      {"spr draw_text room_speed vk_up", "777.888888888.9999999999.aaaaa"},
      {"player inst_7", "777777......."},  // objects, not their instances
      // Strings have no escapes and end with their line.
      {"'it''s'", "4444444"}, {"'a\\'b'", "4444.4"}, {"'", "4"}, {"\"open\nnext", "44444....."},
      {"x = \"a // b /* c\";", "....4444444444444."},
      // A call mark colours the name in front, blanks included; known names
      // keep their own style.
      {"foo(x)", "6666.6"}, {"foo  \t(x)", "6666666.6"}, {"foo)", "...6"}, {"spr(1)", "777656"},
      {"if(a)", "226.6"}, {"draw_text (1)", "888888888.656"}, {"\xC3\xA9t\xC3\xA9(", "666666"},
      // Numbers are digits with at most one dot.
      {"12 1.5 .5 3.", "55.555.55.55"}, {"0x1F 1e5", "........"}, {"a.b x[1]", "......5."}, {"1.2.3", "..555"},
      {"f(2,3);", "665.56."}, {"x=-4", "...5"},
      // `//` needs the line start, a blank or `;` in front.
      {"// all", "333333"}, {"a //b", "..333"}, {"a;//b", "..333"}, {"a//b", "...."},
      {"x=1/2//3", "..5.5..5"}, {"\t//tab\r\nx", ".33333..."}, {"f() //c", "666.333"},
      // `/*` opens a comment anywhere outside a string, up to the end of the text.
      {"/**/x", "3333."}, {"/*/ x */y", "33333333."}, {"'/*' x", "4444.."},
      {"a/*b*/c/*d", ".33333.333"}, {"/*\n\n\nx", "33...3"},
      // A brace is a keyword only on its own.
      {"else{ {x", "........"}, {"} else {", "2.2222.2"}};
  for (const auto& [text, styles] : cases) EXPECT_EQ(Styles(text), styles) << text;
}

TEST_F(ScriptFixture, BlockCommentsSpanLinesAndTheirRemovalRestylesThem) {
  FakeDocument document("a /* b\nc\nd */ e\nf");
  EXPECT_EQ(RestyleLines(editor, document, 0, -1), 4);
  EXPECT_EQ(document.Styles(), "..3333.3.3333....");
  EXPECT_EQ(document.states(), (std::vector<int>{1, 1, 0, 0}));

  // Deleting "/*": styling of line 0 goes on while the states change.
  document.SetText("a  b\nc\nd */ e\nf");
  EXPECT_EQ(RestyleLines(editor, document, 0, 0), 3);
  EXPECT_EQ(document.Styles(1, 2), ".........");
  EXPECT_EQ(document.states(), (std::vector<int>{0, 0, 0, 0}));
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
  EXPECT_EQ(document.Styles(99, 1), "333333.");
}

TEST_F(ScriptFixture, FoldLevelsFollowFreeStandingBraces) {
  const int h = kFoldLevelHeaderFlag;
  FakeDocument nested("function f() {\n  x;\n  if (a) {\n    y;\n  }\n}\n");
  RestyleLines(editor, nested, 0, -1);
  const std::vector<int> levels = {0x400 | h, 0x401, 0x401 | h, 0x402, 0x402, 0x401, 0x400};
  EXPECT_EQ(nested.folds(), levels);
  // Restyling from the middle picks up the level of the line before.
  EXPECT_EQ(RestyleLines(editor, nested, 4, 4), 2);
  EXPECT_EQ(nested.folds(), levels);

  // Braces glued to words do not fold; a stray closer never goes below the base.
  FakeDocument glued("}\nelse{\n{x\nif (a) {\n} else {\n}\n} {\nx\n}\n");
  RestyleLines(editor, glued, 0, -1);
  EXPECT_EQ(glued.folds(), (std::vector<int>{0x400, 0x400, 0x400, 0x400 | h, 0x401, 0x401, 0x400 | h, 0x401, 0x401, 0x400}));
}

TEST_F(ScriptFixture, FeaturesOffStyleEverythingDefaultAndClearFolds) {
  editor.features = 0;
  FakeDocument document("if (x) {\n'a'\n}");
  RestyleLines(editor, document, 0, -1);
  EXPECT_EQ(document.Styles(), "..............");
  EXPECT_EQ(document.GetFoldLevel(0), 0);
}

TEST(WordTableTest, RegistrationsMergeAndLaterStylesWin) {
  WordTable table;
  EXPECT_EQ(table.AddWords("  alpha Zeta Beta  gamma ", 7, kWordComplete), 4);
  EXPECT_EQ(table.AddWords("ALPHA", 8, 0x10), 1);
  EXPECT_EQ(table.AddWords("beta", -1, 0), 1);  // -1 keeps the style
  EXPECT_EQ(table.AddWords("", 1, 1), 0);
  table.Sort();
  ASSERT_EQ(table.size(), 4u);
  const EditorWord& alpha = table[0];
  EXPECT_EQ(alpha.word + ' ' + table[1].word + ' ' + table[2].word + ' ' + table[3].word, "ALPHA beta gamma Zeta");
  EXPECT_EQ(table.LookupMutable("zETA"), &table[3]);
  EXPECT_EQ(table.Lookup(" alpha "), &alpha);
  EXPECT_EQ(alpha.style, 8);
  EXPECT_EQ(alpha.flags, kWordComplete | 0x10);
  EXPECT_EQ(table.Lookup("BETA")->style, 7);
  WordTable exact(true);
  EXPECT_EQ(exact.AddWords("Foo foo", 2, 0), 2);
  EXPECT_EQ(exact.Lookup("FOO"), nullptr);
}

}  // namespace
}  // namespace vorlane
