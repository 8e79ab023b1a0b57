#include "project/rename.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "project/project_file.h"
#include "project/reserved_names.h"
#include "project/top_level_names.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::SampleProject;

// golden/names.txt: what a new name gets in the sample, with the engine's
// names below. The record itself is left out of the duplicate check, objects
// share their list with instances (which are no globals), the name must be
// a JavaScript identifier first; then any global of the engine, the browser
// or another resource (with its constructor "__" + name, functions aside)
// is refused, the kind's word in every message.
TEST(Rename, NameChecks) {
  test::ScopedTempDir dir;
  test::WriteAll("keywords.dat", "!instance_create\nhelp\n\n.speed\nhelp\n\n");
  LoadEngineNames("var score = 0;\nfunction __vr_run() { var local; }");
  const Project p = SampleProject();
  std::istringstream rows(test::ReadAll(std::string(VORLANE_GOLDEN_DIR) + "/names.txt"));
  int count = 0;
  for (std::string row; std::getline(rows, row);) {
    if (row.starts_with("#")) continue;
    std::istringstream fields(row);
    std::string kind, index, name, refusal;
    std::getline(fields, kind, '\t'), std::getline(fields, index, '\t');
    std::getline(fields, name, '\t'), std::getline(fields, refusal);
    const ResourceKind* k = std::find_if(std::begin(kResourceKinds), std::end(kResourceKinds),
                                         [&](ResourceKind r) { return KindWord(r) == kind; });
    ASSERT_NE(k, std::end(kResourceKinds)) << row;
    const std::string said = CheckResourceName(p, *k, name, std::stoi(index));
    if (refusal == "*")
      EXPECT_NE(said, "") << row;
    else
      EXPECT_EQ(said, refusal) << row;
    ++count;
  }
  EXPECT_GT(count, 30);
  LoadEngineNames("", "");
}

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
