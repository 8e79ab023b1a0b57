#include "gui/ui/file_filter.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

TEST(FileFilterTest, EntriesPatternsAndTheDesktopForm) {
  const auto entries = ParseFileFilter(
      "Images (*.png;*.jpg)|*.png;*.jpg|PNG Images (*.png)|*.png|All files (*.*)|*.*");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "Images (*.png;*.jpg)");
  EXPECT_EQ(entries[0].patterns, (std::vector<std::string>{"*.png", "*.jpg"}));
  EXPECT_EQ(DesktopFilterText(entries[0]), "Images (*.png *.jpg)");
  EXPECT_EQ(DesktopFilterText(entries[1]), "PNG Images (*.png)");
  // "*.*" matches every file, also one without a dot.
  EXPECT_EQ(DesktopFilterText(entries[2]), "All files (*)");
  EXPECT_TRUE(FilterMatches(entries[2], "README"));
  EXPECT_TRUE(FilterMatches(entries[0], "hero.jpg"));
  EXPECT_FALSE(FilterMatches(entries[1], "hero.jpg"));
}

TEST(FileFilterTest, OddFiltersStillGiveUsableEntries) {
  EXPECT_TRUE(ParseFileFilter("").empty());
  const auto lone = ParseFileFilter("Function libraries");
  ASSERT_EQ(lone.size(), 1u);
  EXPECT_EQ(lone[0].patterns, (std::vector<std::string>{"*.*"}));
  const auto spaced = ParseFileFilter("Sounds|*.wav; ;*.ogg|");
  ASSERT_EQ(spaced.size(), 1u);
  EXPECT_EQ(spaced[0].patterns, (std::vector<std::string>{"*.wav", "*.ogg"}));
  EXPECT_EQ(DesktopFilterText(spaced[0]), "Sounds (*.wav *.ogg)");
}

}  // namespace
}  // namespace vorlane
