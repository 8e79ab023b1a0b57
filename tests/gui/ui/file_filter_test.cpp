#include "gui/ui/file_filter.h"

#include <gtest/gtest.h>

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

// "name|patterns" pairs become the desktop's form; "*.*" matches every file;
// a lone name, blanks and a trailing bar still give usable entries.
TEST(FileFilterTest, EntriesPatternsAndTheDesktopForm) {
  const auto entries =
      ParseFileFilter("Images (*.png;*.jpg)|*.png;*.jpg|PNG (*.png)|*.png|All files (*.*)|*.*");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].patterns, (Strings{"*.png", "*.jpg"}));
  EXPECT_EQ(DesktopFilterText(entries[0]), "Images (*.png *.jpg)");
  EXPECT_EQ(DesktopFilterText(entries[2]), "All files (*)");
  EXPECT_TRUE(FilterMatches(entries[2], "README"));
  EXPECT_FALSE(FilterMatches(entries[1], "hero.jpg"));
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(ParseFileFilter("Function libraries").at(0).patterns, Strings{"*.*"});
  EXPECT_EQ(DesktopFilterText(ParseFileFilter("Sounds|*.wav; ;*.ogg|").at(0)),
            "Sounds (*.wav *.ogg)");
}

}  // namespace
}  // namespace vorlane
