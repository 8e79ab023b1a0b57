#include "editors/function_edits.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using Errors = std::vector<std::string>;

TEST(FunctionEdits, AValidNameStoresNameParamsAndCodeButNotTheDescription) {
  Project project;
  project.fns = {{"lerp", "a, b, t", "Blends.", "return a;"}, {"clamp", "", "", ""}};
  EXPECT_EQ(StoreFunction(project, 0, {"spin", "a,b", "return b;"}), Errors{});
  EXPECT_EQ(project.fns[0], (UserFunction{"spin", "a,b", "Blends.", "return b;"}));
  EXPECT_EQ(project.modified, 1);
}

TEST(FunctionEdits, ARefusedNameChangesNothing) {
  Project project;
  project.fns = {{"lerp", "a", "", "x"}, {"clamp", "", "", ""}};
  const Project before = project;
  EXPECT_EQ(StoreFunction(project, 1, {"", "p", "c"}), Errors{"The function name is missing"});
  EXPECT_EQ(StoreFunction(project, 1, {"lerp", "p", "c"}),
            Errors{"The function name 'lerp' already exists"});
  const Errors invalid = StoreFunction(project, 1, {"do it", "p", "c"});
  ASSERT_EQ(invalid.size(), 1u);
  EXPECT_EQ(invalid[0].rfind("The function name 'do it' is not a valid name: ", 0), 0u);
  EXPECT_EQ(project.fns, before.fns);
  EXPECT_EQ(project.modified, 0);
  EXPECT_EQ(StoreFunction(project, 1, {"Lerp", "", ""}), Errors{});
  EXPECT_EQ(project.fns[1].name, "Lerp");
}

}  // namespace
}  // namespace vorlane
