#include "code/syntax_watch.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

TEST(SyntaxWatchTest, MarksTheErrorLineWithinTheText) {
  const struct {
    std::optional<SyntaxError> error;
    int line_count, marked;
  } cases[] = {{std::nullopt, 5, -1},
               {SyntaxError{1, "x"}, 5, 0},
               {SyntaxError{5, "x"}, 5, 4},
               {SyntaxError{6, "Unexpected end of input"}, 5, 4},  // an unfinished block
               {SyntaxError{0, "x"}, 5, 0},
               {SyntaxError{3, "x"}, 0, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(MarkedLine(c.error, c.line_count), c.marked) << (c.error ? c.error->line : 0);
  EXPECT_EQ(HelpLineText(SyntaxError{3, "Unexpected token ';'"}, "Draws text."),
            "Line 3: Unexpected token ';'");
  EXPECT_EQ(HelpLineText(std::nullopt, "Draws text."), "Draws text.");
}

// A check parses the whole script: it runs again only for a changed code or
// parameter list, and tells whether what the window shows must change.
TEST(SyntaxWatchTest, ChecksOnlyWhatChanged) {
  std::vector<std::string> checked;
  SyntaxWatch watch([&](std::string_view code, std::string_view params) {
    checked.push_back(std::string(code) + "|" + std::string(params));
    return code.find(')') == 0 ? std::optional(SyntaxError{1, "bad"}) : std::nullopt;
  });
  const struct {
    const char *code, *params;
    bool changed;
  } steps[] = {{"a", "", false},  {"a", "", false},  {")", "", true}, {")", "", false},
               {")", "p", false}, {")b", "p", false}, {"b", "p", true}};
  for (const auto& step : steps)
    EXPECT_EQ(watch.Update(step.code, step.params), step.changed) << step.code << step.params;
  EXPECT_EQ(checked, (std::vector<std::string>{"a|", ")|", ")|p", ")b|p", "b|p"}));
  EXPECT_FALSE(watch.error());
}

}  // namespace
}  // namespace vorlane
