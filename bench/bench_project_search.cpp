// Find in project on the large project (6,000 scripts): the time of one
// search over every script and resource name (goal: under 50 ms), for
// plain text, a whole word and a regular expression.
#include <cstdio>

#include "generate/project_search.h"
#include "large_project.h"
#include "timing.h"

using namespace vorlane;

int main() {
  const Project project = bench::MakeLargeProject(1);
  size_t bytes = 0;
  for (const Script& s : project.scripts) bytes += s.code.size();
  std::printf("%zu scripts, %.1f MB of code\n", project.scripts.size(), bytes / 1e6);
  const struct {
    const char* what;
    const char* text;
    SearchOptions options;
  } searches[] = {
      {"plain text", "x < 1999", {}},
      {"whole word", "speed", {.whole_word = true}},  // on every line: stops at the cap
      {"whole word, rare", "alive2", {.whole_word = true}},
      {"regular expression", "x < 19\\d\\d\\b", {.regex = true}},
  };
  for (const auto& s : searches) {
    SearchResults results;
    const double ms = bench::BestOf(5, [&] { results = SearchProject(project, s.text, s.options); });
    std::printf("%-20s %7.1f ms  (%zu matches%s)\n", s.what, ms, results.hits.size(),
                results.more ? ", more left out" : "");
  }
}
