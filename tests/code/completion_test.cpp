#include "code/completion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

#include "code/script_styler.h"

namespace vorlane {
namespace {

struct CompletionFixture : ::testing::Test {
  CompletionFixture() {
    project.sprites.resize(2);
    project.sprites[0].name = "Food";
    project.sprites[1].name = "draw_text";  // also an engine name
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
  const std::pair<const char*, const char*> cases[] = {
      // '_' sorts before 'd'; a sprite that is also an engine name is listed once.
      {"foo", "foo_bar Food"}, {"x = FOO", "foo_bar Food"}, {"if (foo", "foo_bar Food"},
      {"  fun", "function"}, {"draw", "draw_text"}, {"vk_f1", "vk_f1 vk_f10 vk_f11 vk_f12"},
      // Nothing for an exact only candidate, short, blank or unknown tokens,
      // or inside a string.
      {"vk_space", ""}, {"VK_SPACE", ""}, {"draw_text", ""}, {"vk", ""}, {"fo", ""},
      {"foo ", ""}, {"", ""}, {"zzz", ""}, {"\"foo", ""},
  };
  for (const auto& [typed, list] : cases) {
    const CompletionChoice choice = Typed(typed);
    EXPECT_EQ(choice.list, list) << typed;
    EXPECT_EQ(choice.show, *list != '\0') << typed;
  }
  EXPECT_EQ(Typed("x = foo").typed_length, 3);
  // The key constants, sorted as the list needs them.
  std::istringstream constants(Typed("vk_").list);
  const std::vector<std::string> listed{std::istream_iterator<std::string>(constants), {}};
  EXPECT_EQ(listed.size(), 82u);
  EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()));
  // The later registration, the engine function, gave its style.
  EXPECT_EQ(editor.words.Lookup("draw_text")->style, kStyleEngineFunction);
}

TEST_F(CompletionFixture, TheTokenAroundTheCaretIsTheTypedText) {
  // Caret inside "foo_b|" of "foo_bxx": the whole token counts.
  EXPECT_FALSE(ComputeCompletion(editor, "x=foo_bxx\n", 7).show);
  EXPECT_EQ(ComputeCompletion(editor, "foo_\n", 4).list, "foo_bar");
  EXPECT_EQ(ComputeCompletion(editor, "foo_ x\n", 0).list, "foo_bar");
  editor.features &= ~kCompletionOn;
  EXPECT_FALSE(Typed("foo").show);
}

TEST_F(CompletionFixture, HelpLookupUsesTheIdentifierAtTheCaret) {
  // Keywords: 0 foo_bar, 1 draw_text, 3 half.
  const std::string line = "x = draw_text(1, foo_bar);";
  const struct {
    std::string line;
    int caret;
    int keyword;
  } cases[] = {
      // Inside a name or at its start; not touching one, the line's first
      // name counts ("x": no help).
      {line, 6, 1}, {line, 4, 1}, {line, 19, 0}, {line, 13, -1}, {"draw_text(1);", 40, 1},
      // A tab is one character, a character may take several bytes, and
      // digits end names.
      {"\t\tx = foo_bar(5);", 8, 0}, {"\xC3\xA9\xC3\xA9 foo_bar", 4, 0}, {"2foo_bar", 3, 0},
      // No first help line, no help, or another case.
      {"no_help", 2, -1}, {"vk_up", 2, -1}, {"half", 2, 3}, {"", 0, -1}, {"DRAW_TEXT", 2, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindKeywordInLine(keywords, c.line, c.caret), c.keyword) << c.line << " @" << c.caret;
  }
}

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
  EXPECT_FALSE(ComputeCompletion(folding, "\xC3\x89T\n", 3).show);  // two characters
  EXPECT_EQ(ComputeCompletion(folding, "\xC3\x89TA\n", 4).list, "\xC3\xA9tang");
}

}  // namespace
}  // namespace vorlane
