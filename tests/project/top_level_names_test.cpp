#include "project/top_level_names.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"

namespace vorlane {
namespace {

// golden/top_level_names.txt: declarations outside functions only, in any
// statement, never inside strings, comments, regular expressions or as
// property names.
TEST(TopLevelNames, FindsDeclarationsOutsideFunctionsOnly) {
  std::istringstream lines(test::ReadAll(std::string(VORLANE_GOLDEN_DIR) + "/top_level_names.txt"));
  std::string script, line;
  int cases = 0;
  std::getline(lines, line);  // what the file holds
  while (std::getline(lines, line)) {
    if (!line.starts_with("=>")) {
      script += (script.empty() ? "" : "\n") + line;
      continue;
    }
    std::vector<std::string> names;
    std::istringstream listed(line.substr(2));
    for (std::string name; listed >> name;) names.push_back(name);
    EXPECT_EQ(TopLevelNames(script), names) << script;
    script.clear(), ++cases;
  }
  EXPECT_EQ(cases, 9);
}

}  // namespace
}  // namespace vorlane
