// The syntax check: what browsers accept is never refused, errors are named
// at the user's line, and nothing of a checked script runs.
#include "generate/script_check.h"

#include <gtest/gtest.h>

#include "generate/game_page.h"
#include "gui/text_lines.h"
#include "support/core_app.h"
#include "support/golden.h"
#include "support/sample_project.h"

namespace vorlane {
namespace {

class ScriptCheckTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::CoreApp(); }
};

// Syntax a browser runs, including what the check's parser does not know.
TEST_F(ScriptCheckTest, ValidModernSyntaxIsNeverRefused) {
  // Shared with the engine tests, which prove a browser's engine takes them.
  std::string corpus = test::ReadAll(VORLANE_GOLDEN_DIR "/modern_syntax.txt");
  corpus = corpus.substr(corpus.find("\n", corpus.find("\n") + 1) + 1);
  std::vector<std::string> valid;
  for (size_t at = 0; at < corpus.size();) {
    size_t end = corpus.find("\n----\n", at);
    if (end == std::string::npos) end = corpus.size() - 1;
    valid.push_back(corpus.substr(at, end - at));
    at = end + 6;
  }
  ASSERT_GT(valid.size(), 20u);
  ScriptChecker checker;
  for (const std::string& code : valid) {
    const auto error = checker.Check(code);
    EXPECT_FALSE(error) << code << "\n -> line " << error->line << ": " << error->message;
  }
}

TEST_F(ScriptCheckTest, ErrorsAreNamedAtTheUsersLine) {
  const struct {
    const char* code;
    const char* params;
    int line;
    const char* message;
  } cases[] = {
      {"image_speed = ;", "", 1, "Expected a value"},
      {"x = 1;\ny = 2;\nfoo(;", "", 3, "Expected ')'"},
      {"x = 1;\n}", "", 2, "Unexpected '}'"},
      {"return a +;", "a, b", 1, "Expected a value"},
      {"return a;", "a b", 1, "Unexpected name"},
      // an error before newer syntax is still the user's
      {"x = ;\nasync function g() {}", "", 1, "Unexpected ';'"},
      {"f(...a);\nx = ;", "", 2, "Expected a value"},
      {"if (a) {\n  x = [1, 2;\n}", "", 2, "Expected ','"},
      {"if (a) {\n  x = 1;\n", "", 3, "The '{' of line 1 is not closed"},
      // a body that would close the function early
      {"}); (function(){", "", 1, "Unexpected '}'"},
  };
  ScriptChecker checker;
  for (const auto& c : cases) {
    const auto error = checker.Check(c.code, c.params);
    ASSERT_TRUE(error) << c.code;
    EXPECT_EQ(error->line, c.line) << c.code;
    EXPECT_EQ(error->message, c.message) << c.code;
  }
  // Were the body run while checked, this would never return.
  EXPECT_TRUE(checker.Check("}); for (;;) {} (function(){"));
}

TEST_F(ScriptCheckTest, EveryScriptOfTheGameIsCheckedAndNamed) {
  Project p = test::SampleProject();
  p.scripts[2].code = "x += ;";      // obj_wall's Step
  p.scripts[1].code = "if (a) {\n";  // obj_player's Collision with obj_wall
  p.scenes[0].code = "start(;";
  p.fns[0].code = "return a +;";
  p.settings.variables = "var = 1;";
  // Not in the game: a collision with an object it does not define.
  p.scripts.push_back({"scr_9", "obj_player", "Collision", "obj_gone", "x = ;"});
  Extension extension;
  extension.extension = "Particles";
  extension.code = "function (";
  extension.enabled = 1;
  std::vector<std::string> lines;
  for (const ScriptProblem& problem : CheckGameScripts(p, {extension}))
    lines.push_back(ProblemLine(problem));
  const std::vector<std::string> expected = {
      "Extension Particles, line 1: Expected a name",
      "Global variables, line 1: Expected a name",
      "add, line 1: Expected a value",
      "obj_player, Collision event with obj_wall, line 2: The '{' of line 1 is not closed",
      "obj_wall, Step event, line 1: Expected a value",
      "level, scene code, line 1: Expected ')'",
  };
  EXPECT_EQ(lines, expected);
}

// Each script's first line in game.js is where the map says, whatever
// line breaks the code holds.
TEST(GameMapTest, LinesLeadBackToTheScripts) {
  Project p = test::SampleProject();
  p.scripts[0].code = "a = 1;\r\nb = 2;\rc = 3;\n";
  p.scripts[2].code = "s = '\xe2\x80\xa8';\nt = 1;";
  p.settings.variables = "var v = 1;\nvar w = 2;";
  p.settings.functions = "function f() {}";
  const std::string engine =
      "line one\n//VORLANE_GLOBAL_VARIABLES\n//VORLANE_GLOBAL_FUNCTIONS\r\n//VORLANE_OBJECTS\n"
      "//VORLANE_SCENES\nend";
  GameMap map;
  const std::string game = BuildGameScript(p, engine, {}, &map);
  EXPECT_EQ(game, BuildGameScript(p, engine, {})) << "the map changes nothing written";
  // The game's lines as a browser counts them.
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < game.size(); ++i) {
    const bool lsep = game.compare(i, 3, "\xe2\x80\xa8") == 0;
    if (game[i] == '\n' || game[i] == '\r' || lsep) {
      if (game[i] == '\r' && i + 1 < game.size() && game[i + 1] == '\n') ++i;
      if (lsep) i += 2;
      lines.push_back(line);
      line.clear();
    } else {
      line += game[i];
    }
  }
  lines.push_back(line);
  const std::string* codes[] = {&p.settings.variables, &p.settings.functions, &p.fns[0].code,
                                &p.scripts[0].code,    &p.scripts[1].code,    &p.scripts[2].code,
                                &p.scenes[0].code};
  ASSERT_EQ(map.entries.size(), std::size(codes));
  for (size_t k = 0; k < map.entries.size(); ++k) {
    const GameMapEntry& e = map.entries[k];
    const std::string& code = *codes[k];
    EXPECT_EQ(lines.at(e.first_line - 1), code.substr(0, code.find_first_of("\r\n\xe2")))
        << PlaceLabel(e.place);
    const auto found = map.Find(e.first_line + e.line_count - 1);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->place, e.place);
    EXPECT_EQ(found->line, e.line_count);
  }
  EXPECT_EQ(map.entries[3].line_count, 4);
  EXPECT_EQ(map.entries[5].place.event, "Step");
  EXPECT_FALSE(map.Find(1)) << "engine lines belong to no script";

  GameMap read;
  ASSERT_TRUE(ReadGameMap(GameMapText(map), &read));
  EXPECT_EQ(read, map);
  for (const char* bad : {"", "[]", "{\"version\":2,\"scripts\":[]}",
                          "{\"version\":1,\"scripts\":[{\"line\":5,\"lines\":2,\"kind\":\"event\"},"
                          "{\"line\":6,\"lines\":1,\"kind\":\"event\"}]}",
                          "{\"version\":1,\"scripts\":[{\"line\":5,\"lines\":2,\"kind\":\"x\"}]}"})
    EXPECT_FALSE(ReadGameMap(bad, &read)) << bad;
  EXPECT_EQ(read, map);
}

}  // namespace
}  // namespace vorlane
