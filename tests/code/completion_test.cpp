#include "code/completion.h"

#include <gtest/gtest.h>

#include "code/script_styler.h"

namespace vorlane {
namespace {

struct CompletionFixture : ::testing::Test {
  CompletionFixture() {
    project.sprites.push_back({});
    project.sprites.back().name = "Food";
    project.sprites.push_back({});
    project.sprites.back().name = "draw_text";  // also an engine name
    AddKeywordRecord(keywords, "foo_bar", "Fn", "foo_bar()", "Foos the bar.");
    AddKeywordRecord(keywords, "draw_text", "Fn", "draw_text(x, y, s)", "Draws text.");
    AddKeywordRecord(keywords, "no_help", "Var", "", "has no first line");
    AddKeywordRecord(keywords, "half", "Var", "n/a", "n/a");
    AddKeyConstants(keywords);
    ConfigureScriptStyling(editor, project, keywords);
  }
  // The caret at the end of `line`, as after typing it.
  CompletionChoice Typed(const std::string& line) {
    return ComputeCompletion(editor, line + "\n", static_cast<int>(line.size()));
  }

  Project project;
  KeywordList keywords;
  EditorStyling editor;
};

TEST_F(CompletionFixture, ListsEveryWordStartingWithTheTypedTextIgnoringCase) {
  CompletionChoice choice = Typed("foo");
  EXPECT_TRUE(choice.show);
  EXPECT_EQ(choice.typed_length, 3);
  EXPECT_EQ(choice.list, "foo_bar Food");  // '_' sorts before 'd'
  EXPECT_EQ(Typed("x = FOO").list, "foo_bar Food");
  EXPECT_EQ(Typed("  fun").list, "function");
  EXPECT_EQ(Typed("if (foo").list, "foo_bar Food");
}

TEST_F(CompletionFixture, KeyConstantsAndAnExactOnlyCandidate) {
  const CompletionChoice choice = Typed("vk_");
  ASSERT_TRUE(choice.show);
  std::vector<std::string> listed;
  size_t start = 0;
  while (start <= choice.list.size()) {
    const size_t space = choice.list.find(' ', start);
    listed.push_back(choice.list.substr(start, space - start));
    if (space == std::string::npos) break;
    start = space + 1;
  }
  EXPECT_EQ(listed.size(), 82u);
  EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
  EXPECT_FALSE(Typed("vk_space").show);
  EXPECT_FALSE(Typed("VK_SPACE").show);
  EXPECT_TRUE(Typed("vk_f1").show);  // vk_f1, vk_f10 .. vk_f12
}

TEST_F(CompletionFixture, ShortOrBlankTokensShowNothing) {
  EXPECT_FALSE(Typed("vk").show);
  EXPECT_FALSE(Typed("fo").show);
  EXPECT_FALSE(Typed("foo ").show);
  EXPECT_FALSE(Typed("").show);
  EXPECT_FALSE(Typed("zzz").show);
  EXPECT_FALSE(Typed("\"foo").show);  // inside a string the token is the string
}

TEST_F(CompletionFixture, ANameRegisteredTwiceIsListedOnce) {
  EXPECT_EQ(Typed("draw").list, "draw_text");
  EXPECT_FALSE(Typed("draw_text").show);
  // The later registration (the engine function) gave its style.
  EXPECT_EQ(editor.words.Lookup("draw_text")->style, kStyleEngineFunction);
}

TEST_F(CompletionFixture, TheTokenAroundTheCaretIsTheTypedText) {
  // Caret inside "foo_b|" of "foo_bxx": the whole token counts.
  const std::string line = "x=foo_bxx\n";
  EXPECT_FALSE(ComputeCompletion(editor, line, 7).show);
  EXPECT_EQ(ComputeCompletion(editor, "foo_\n", 4).list, "foo_bar");
  EXPECT_EQ(ComputeCompletion(editor, "foo_ x\n", 0).list, "foo_bar");
  editor.features &= ~kCompletionOn;
  EXPECT_FALSE(Typed("foo").show);
}

TEST_F(CompletionFixture, HelpLookupUsesTheIdentifierAtTheCaret) {
  const std::string line = "x = draw_text(1, foo_bar);";
  EXPECT_EQ(FindKeywordInLine(keywords, line, 6), 1);  // inside draw_text
  EXPECT_EQ(FindKeywordInLine(keywords, line, 4), 1);  // at its start
  EXPECT_EQ(FindKeywordInLine(keywords, line, 19), 0); // inside foo_bar
  // Not touching an identifier: the first identifier of the line.
  EXPECT_EQ(FindKeywordInLine(keywords, line, 13), -1);  // "x" has no help
  EXPECT_EQ(FindKeywordInLine(keywords, "draw_text(1);", 9), 1);
  EXPECT_EQ(FindKeywordInLine(keywords, "draw_text(1);", 40), 1);
  // Tabs count as one character each.
  EXPECT_EQ(FindKeywordInLine(keywords, "\t\tx = foo_bar(5);", 8), 0);
  // Digits end identifiers; multi-byte text counts by characters.
  EXPECT_EQ(FindKeywordInLine(keywords, "\xC3\xA9\xC3\xA9 foo_bar", 4), 0);
  EXPECT_EQ(FindKeywordInLine(keywords, "2foo_bar", 3), 0);
  // Names without a first help line, and unknown names, have no help.
  EXPECT_EQ(FindKeywordInLine(keywords, "no_help", 2), -1);
  EXPECT_EQ(FindKeywordInLine(keywords, "vk_up", 2), -1);
  EXPECT_EQ(FindKeywordInLine(keywords, "half", 2), 3);
  EXPECT_EQ(FindKeywordInLine(keywords, "", 0), -1);
  EXPECT_EQ(FindKeywordInLine(keywords, "DRAW_TEXT", 2), -1);
}

}  // namespace
}  // namespace vorlane

namespace vorlane {
namespace {

TEST(CompletionCaseTest, CaseSensitiveEditorsAndNonAsciiNames) {
  EditorStyling editor(kShowLineNumbers | kCaseSensitive);
  editor.features |= kCompletionOn;
  AddKeywords(editor, "Alpha alphabet \xC3\x89toile \xC3\xA9tang", 7, kWordComplete, true);
  EXPECT_EQ(ComputeCompletion(editor, "alp\n", 3).list, "alphabet");
  EXPECT_EQ(ComputeCompletion(editor, "Alp\n", 3).list, "Alpha");

  EditorStyling folding;
  folding.features |= kCompletionOn;
  AddKeywords(folding, "\xC3\x89toile \xC3\xA9tang", 7, kWordComplete, true);
  EXPECT_EQ(ComputeCompletion(folding, "\xC3\xA9to\n", 4).list, "\xC3\x89toile");
  EXPECT_EQ(ComputeCompletion(folding, "\xC3\x89T\n", 3).show, false);  // two characters
  EXPECT_EQ(ComputeCompletion(folding, "\xC3\x89TA\n", 4).list, "\xC3\xA9tang");
}

}  // namespace
}  // namespace vorlane
