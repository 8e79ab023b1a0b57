#include "code/syntax_watch.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

// The line marked: none without an error, the last for an unfinished block.
TEST(SyntaxWatchTest, MarksTheErrorLineWithinTheText) {
  EXPECT_EQ(MarkedLine(std::nullopt, 5), -1);
  for (const auto& [line, marked] : {std::pair{1, 0}, {5, 4}, {6, 4}, {0, 0}})
    EXPECT_EQ(MarkedLine(SyntaxError{line, ""}, 5), marked) << line;
}

// A check runs only for a changed code or parameter list, and tells whether
// what the window shows must change.
TEST(SyntaxWatchTest, ChecksOnlyWhatChanged) {
  std::string checked;
  SyntaxWatch watch([&](std::string_view code, std::string_view params) {
    checked += std::string(code) + std::string(params) + " ";
    return code.starts_with(')') ? std::optional(SyntaxError{1, "bad"}) : std::nullopt;
  });
  const std::tuple<const char*, const char*, bool> steps[] = {
      {"a", "", false}, {"a", "", false}, {")", "", true}, {")", "p", false}, {"b", "p", true}};
  for (const auto& [code, params, changed] : steps) EXPECT_EQ(watch.Update(code, params), changed);
  EXPECT_EQ(checked, "a ) )p bp ");
}

}  // namespace
}  // namespace vorlane
