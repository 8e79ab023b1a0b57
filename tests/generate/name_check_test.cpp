// Which names in code name nothing the game knows.
#include "generate/name_check.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

TEST(NameCheckTest, OnlyNamesNothingExplainsAreReported) {
  const struct {
    const char* code;
    const char* unknown;  // joined by spaces, in order of first use
  } kCases[] = {
      {"x = obj_wal + obj_wall + spr_ball + fn_go() + __obj_wall", "obj_wal"},
      {"hp = 3; if (this.lives > 0) lives--; f = bonus", "bonus"},
      {"var a = 1; function f(b) { return a + b + c; }", "c"},
      {"outer: for (;;) { break outer; } Math.max(this, undefined)", ""},
      {"if (typeof helper == 'undefined') o = {key: 1, spr_ball}", ""},
      {"score = level + amount", "amount"},
  };
  for (const auto& c : kCases) {
    Project p;
    p.settings.variables = "var level = 1;";
    p.objects.push_back({.name = "obj_wall"});
    p.sprites.push_back({.name = "spr_ball"});
    p.fns.push_back({.name = "fn_go", .params = "amount", .code = "return amount;"});
    p.scripts.push_back({.object = "obj_wall", .event = "Step", .code = c.code});
    std::string unknown;
    for (const UnknownName& u : UnknownNames(p, {}))
      unknown += (unknown.empty() ? "" : " ") + u.name;
    EXPECT_EQ(unknown, c.unknown) << c.code;
  }
}

}  // namespace
}  // namespace vorlane
