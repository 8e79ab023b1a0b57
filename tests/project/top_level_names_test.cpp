#include "project/top_level_names.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using Names = std::vector<std::string>;

TEST(TopLevelNames, FindsDeclarationsOutsideFunctionsOnly) {
  const struct {
    const char* script;
    Names names;
  } cases[] = {
      {"var a = f(1, 2), b = {c: 3, d: [4, 5]},\n    e;\nvar a;", {"a", "b", "e"}},
      {"function f(x, y) { var local = 1; function inner() {} }\nvar g = function h() {};",
       {"f", "g"}},
      {"for (var i = 0, j; i < 2; i++) {}\nfor (var k in o) k, q;\nif (x) { var m; }",
       {"i", "j", "k", "m"}},
      {"let l = 1; const c = () => { var inside; }; { let block; }\nclass K { m() { var z; } }",
       {"l", "c", "K"}},
      {"o.var = 1; p = { var: 1, function: f, r: 2 }; x = a.class;", {}},
      {"s = 'var no'; t = \"var no\" // var no\n/* var no */ u = `${ {v: 1}.v } var no`; var w;",
       {"w"}},
      {"re = /[/]var no\\/ {/g; q = a / 2 / b; var after = /x/.test(y) ? 1 : 2;", {"after"}},
      {"var $d\xc3\xa9j\xc3\xa0 = 1; async function af() {} function* gen() {}",
       {"$d\xc3\xa9j\xc3\xa0", "af", "gen"}},
      {"var", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(TopLevelNames(c.script), c.names) << c.script;
}

}  // namespace
}  // namespace vorlane
