// The uses of a name of the game in the project's scripts, and renaming them.
#include "generate/code_uses.h"

#include <gtest/gtest.h>

#include "project/js_name.h"
#include "project/js_tokens.h"
#include "support/golden.h"

namespace vorlane {
namespace {

std::string Renamed(const std::string& code) {
  Project p;
  p.scripts.push_back({.object = "obj_ball", .event = "Step", .code = code});
  RenameInCode(p, "obj_wall", "obj_block");
  return p.scripts[0].code;
}

TEST(CodeUsesTest, RenamesOnlyTheGlobalName) {
  const struct {
    const char* code;
    const char* renamed;  // null: unchanged
  } kCases[] = {
      {"obj_wall.x = obj_wall2 + my_obj_wall", "obj_block.x = obj_wall2 + my_obj_wall"},
      {"s = 'obj_wall' + \"obj_wall\"; // obj_wall\n/* obj_wall */", nullptr},
      {"s = `obj_wall ${obj_wall + `${obj_wall}`}`", "s = `obj_wall ${obj_block + `${obj_block}`}`"},
      {"r = /obj_wall/g; q = a / obj_wall / 2", "r = /obj_wall/g; q = a / obj_block / 2"},
      {"other.obj_wall = o?.obj_wall", nullptr},
      {"o = {obj_wall: 1, b: obj_wall, obj_wall() {}}", "o = {obj_wall: 1, b: obj_block, obj_wall() {}}"},
      {"switch (a) { case obj_wall: b = c ? obj_wall : d; }",
       "switch (a) { case obj_block: b = c ? obj_block : d; }"},
      {"f({obj_wall}); g({a, obj_wall})", "f({obj_wall: obj_block}); g({a, obj_wall: obj_block})"},
      {"if (obj_wall) {} with (obj_wall) { x = 1 }", "if (obj_block) {} with (obj_block) { x = 1 }"},
      {"var a = obj_wall, b = [obj_wall]\nobj_wall = 2", "var a = obj_block, b = [obj_block]\nobj_block = 2"},
      {"class A { obj_wall() { return obj_wall; } }", "class A { obj_wall() { return obj_block; } }"},
      {"f((a) => obj_wall, function (b) { return obj_wall; })",
       "f((a) => obj_block, function (b) { return obj_block; })"},
      // The script's own local: a declaration anywhere leaves it all alone.
      {"x = obj_wall; var obj_wall = 1;", nullptr},
      {"let {a, b: [obj_wall]} = o; f(obj_wall)", nullptr},
      {"const a = 1, obj_wall = 2; f(obj_wall)", nullptr},
      {"function obj_wall() {} obj_wall()", nullptr},
      {"function f(a, {obj_wall}) {} obj_wall", nullptr},
      {"f(obj_wall => obj_wall); obj_wall", nullptr},
      {"f(async (a, obj_wall = 1) => 2); obj_wall", nullptr},
      {"class obj_wall {} new obj_wall()", nullptr},
      {"try {} catch (obj_wall) { obj_wall }", nullptr},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(Renamed(c.code), c.renamed ? c.renamed : c.code) << c.code;
}

TEST(CodeUsesTest, AFunctionsParameterListIsItsOwn) {
  Project p;
  p.fns.push_back({.name = "fn_a", .params = "a, obj_wall", .code = "return obj_wall;"});
  p.fns.push_back({.name = "fn_b", .params = "a, b = obj_wall", .code = "x = 1;\n  f(obj_wall);"});
  const std::vector<CodeUse> uses = FindCodeUses(p, "obj_wall");
  ASSERT_EQ(uses.size(), 2u);
  EXPECT_EQ(uses[0].place.resource, "fn_b");
  EXPECT_TRUE(uses[0].in_params);
  EXPECT_EQ(uses[0].offset, 7u);
  EXPECT_FALSE(uses[1].in_params);
  EXPECT_EQ(uses[1].line, 2);
  EXPECT_EQ(uses[1].column, 4);
  EXPECT_EQ(uses[1].line_text, "  f(obj_wall);");
  EXPECT_EQ(RenameInCode(p, "obj_wall", "obj_block"), 2);
  EXPECT_EQ(p.fns[0].params + "|" + p.fns[0].code, "a, obj_wall|return obj_wall;");
  EXPECT_EQ(p.fns[1].params + "|" + p.fns[1].code, "a, b = obj_block|x = 1;\n  f(obj_block);");
}

// Every piece of the corpus of modern syntax splits into tokens that cover
// it exactly, and renaming any of its names changes identifiers only.
TEST(CodeUsesTest, TheModernSyntaxCorpusSplitsCleanly) {
  const std::string corpus = test::ReadAll(VORLANE_GOLDEN_DIR "/modern_syntax.txt");
  const auto others = [](std::string_view code) {
    std::vector<std::string> texts;
    for (const JsToken& t : JsTokens(code))
      if (t.kind != JsTokenKind::Word && t.kind != JsTokenKind::Blank && t.Text(code) != ":")
        texts.emplace_back(t.Text(code));
    return texts;
  };
  size_t begin = corpus.find("\n", corpus.find("\n") + 1) + 1;
  while (begin < corpus.size()) {
    const size_t end = std::min(corpus.find("\n----\n", begin), corpus.size());
    const std::string piece = corpus.substr(begin, end - begin);
    begin = end + 6;
    size_t at = 0;
    for (const JsToken& t : JsTokens(piece)) {
      EXPECT_EQ(t.begin, at) << piece;
      EXPECT_TRUE(t.closed) << piece;
      at = t.end;
      if (t.kind != JsTokenKind::Word || !JsNameProblem(t.Text(piece)).empty()) continue;
      Project p;
      p.settings.functions = piece;
      RenameInCode(p, t.Text(piece), "zz");
      EXPECT_EQ(others(p.settings.functions), others(piece)) << piece << "\n" << t.Text(piece);
    }
    EXPECT_EQ(at, piece.size());
  }
}

}  // namespace
}  // namespace vorlane
