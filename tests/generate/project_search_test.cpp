// Find in project: the search options, resource names, and replace all.
#include "generate/project_search.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

Project SearchedProject() {
  Project p;
  p.sprites.push_back({.name = "spr_score"});
  p.objects.push_back({.name = "obj_player"});
  p.objects.push_back({.prototype = 0, .name = "score_instance"});  // not a resource
  p.scripts.push_back({.object = "obj_player", .event = "Step",
                       .code = "var Score = 1;\nscore += 2; // score\nname = 'scoré';"});
  p.fns.push_back({.name = "fn_add", .params = "a, score", .code = "return a + score;"});
  return p;
}

std::string Found(const SearchResults& results) {
  std::string list;
  for (const NameHit& name : results.names) list += name.name + " ";
  for (const SearchHit& hit : results.hits)
    list += PlaceLabel(hit.place) + (hit.in_params ? "(p)" : "") + ":" + std::to_string(hit.line) +
            ":" + std::to_string(hit.column) + "+" + std::to_string(hit.length) + " ";
  return list + results.error;
}

TEST(ProjectSearchTest, OptionsNamesAndLines) {
  const Project p = SearchedProject();
  const std::string step = "obj_player, Step event";
  struct Case {
    const char* text;
    SearchOptions options;
    std::string found;
  };
  const Case cases[] = {
      {"score", {}, "spr_score fn_add(p):1:3+5 fn_add:1:11+5 " + step + ":1:4+5 " + step +
                        ":2:0+5 " + step + ":2:15+5 "},
      {"Score", {.match_case = true}, step + ":1:4+5 "},
      {"score", {.whole_word = true}, "fn_add(p):1:3+5 fn_add:1:11+5 " + step + ":1:4+5 " + step +
                                          ":2:0+5 " + step + ":2:15+5 "},
      {"sc.r\\xe9", {.regex = true}, step + ":3:8+6 "},  // é is two bytes
      {"x*", {.regex = true}, ""},                        // empty matches are skipped
      {"(", {.regex = true}, "The regular expression is not valid: missing closing parenthesis (at character 2)."},
      {"", {}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(SearchProject(p, c.text, c.options)), c.found) << c.text;
  EXPECT_EQ(SearchProject(p, "score", {}).hits[0].line_text, "a, score");
}

TEST(ProjectSearchTest, ReplaceAllShowsEachChangedLineFirst) {
  Project p = SearchedProject();
  const SearchOptions words{.whole_word = true};
  const std::vector<LineChange> preview = ReplacePreview(p, "score", "points", words);
  std::string lines;
  for (const LineChange& change : preview)
    lines += std::to_string(change.line) + ": " + change.before + " -> " + change.after + "\n";
  EXPECT_EQ(lines,
            "1: a, score -> a, points\n"
            "1: return a + score; -> return a + points;\n"
            "1: var Score = 1; -> var points = 1;\n"
            "2: score += 2; // score -> points += 2; // points\n");
  EXPECT_EQ(ReplaceInScripts(p, "score", "points", words), 5);
  EXPECT_EQ(p.scripts[0].code, "var points = 1;\npoints += 2; // points\nname = 'scoré';");
  // What the parentheses caught, in either form; a backslash kept by doubling.
  EXPECT_EQ(ReplaceInScripts(p, "(\\w+) \\+= (\\d)", "$1 = \\1 + $2\\\\", {.regex = true}), 1);
  EXPECT_EQ(p.scripts[0].code, "var points = 1;\npoints = points + 2\\; // points\nname = 'scoré';");
}

}  // namespace
}  // namespace vorlane
