#include "editors/font_edits.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using Errors = std::vector<std::string>;

struct FontEditsTest : ::testing::Test {
  FontEditsTest() { project.fonts = {{"title", "Arial", 20, 1, 0}, {"body", "Verdana", 10, 0, 1}}; }
  Project project;
};

TEST_F(FontEditsTest, ValidFieldsAreAllStored) {
  EXPECT_EQ(StoreFont(project, 1, {"text", "Georgia", "014", true, false}), Errors{});
  EXPECT_EQ(project.fonts[1], (Font{"text", "Georgia", 14, 1, 0}));
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(StoreFont(project, 1, {"Title", "Georgia", "9", false, true}), Errors{});  // case
  EXPECT_EQ(project.fonts[1], (Font{"Title", "Georgia", 9, 0, 1}));
}

TEST_F(FontEditsTest, ANameMessageAndASizeMessageComeIndependently) {
  const Font body = project.fonts[1];
  // A missing name is all that is said; nothing changes.
  EXPECT_EQ(StoreFont(project, 1, {"", "X", "0", true, true}), Errors{"The font name is missing"});
  EXPECT_EQ(project.fonts[1], body);
  EXPECT_EQ(project.modified, 1);
  EXPECT_EQ(StoreFont(project, 1, {"title", "X", "", true, true}),
            (Errors{"The font name 'title' already exists", "The font size '' is invalid"}));
  const Errors bad_name = StoreFont(project, 1, {"big font", "X", "12", true, true});
  ASSERT_EQ(bad_name.size(), 1u);
  EXPECT_EQ(bad_name[0].rfind("The font name 'big font' is not a valid name: ", 0), 0u);
  EXPECT_EQ(project.fonts[1], body);
  // A valid new name is kept although the size is refused; the rest is not.
  EXPECT_EQ(StoreFont(project, 1, {"small", "X", "0", true, true}),
            Errors{"The font size '0' is invalid"});
  EXPECT_EQ(project.fonts[1], (Font{"small", "Verdana", 10, 0, 1}));
}

TEST(FontSize, OnlyWholeNumbersFromOneThatFitAnIntCount) {
  EXPECT_EQ(FontSizeOf("1"), 1);
  EXPECT_EQ(FontSizeOf("2147483647"), 2147483647);
  for (const char* refused :
       {"", "0", "000", "2147483648", "99999999999999999999", "-3", "1x", " 5"})
    EXPECT_EQ(FontSizeOf(refused), 0) << refused;
  Project project;
  project.fonts = {{.name = "f"}};
  EXPECT_EQ(StoreFont(project, 0, {"f", "Arial", "99999999999999999999", false, false}),
            Errors{"The font size '99999999999999999999' is invalid"});
  EXPECT_EQ(project.fonts[0].size, 12);
}

}  // namespace
}  // namespace vorlane
