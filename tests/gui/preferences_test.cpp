#include "gui/preferences.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/file_util.h"
#include "gui/golden.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

class PreferencesTest : public test::InTempDir {};

// The first start writes the start-up values; a save and a load give them
// back, non-ASCII text included.
TEST_F(PreferencesTest, FirstFileIsExactAndSavesReadBack) {
  Preferences prefs;
  LoadPreferences(prefs);
  test::ExpectGolden("preferences.dat", ReadAll("preferences.dat"));
  EXPECT_EQ(prefs, Preferences{});
  prefs.AudFolder = "m\xC3\xBCsik";
  prefs.ConfirmExit = 0;
  ASSERT_TRUE(SavePreferences(prefs));
  Preferences back;
  LoadPreferences(back);
  EXPECT_EQ(back, prefs);
}

// Start-up values and read defaults agree except for the keys set below.
Preferences ReadDefaults(int selection_back) {
  Preferences expected;
  expected.sci_color_fore = 16777215;
  expected.sci_color_function = 10526880;
  expected.sci_color_selection_back = selection_back;
  return expected;
}

TEST_F(PreferencesTest, MissingKeysGiveReadDefaultsWithoutWriting) {
  WriteAll("preferences.dat", "[Code editor]\r\nsci_font_size = 14\r\n");
  Preferences prefs;
  prefs.sci_color_selection_back = 123;
  LoadPreferences(prefs);
  Preferences expected = ReadDefaults(123);
  expected.sci_font_size = 14;
  EXPECT_EQ(prefs, expected);
  EXPECT_EQ(ReadAll("preferences.dat"), "[Code editor]\r\nsci_font_size = 14\r\n");
}

// What cannot be read gives the read defaults and is neither waited on nor
// overwritten; the error names the file. A missing folder is not made.
TEST_F(PreferencesTest, UnreadableFilesGiveReadDefaultsAndAreLeftAlone) {
  for (const auto& [path, why] : test::UnreadableFiles("pipe.dat", "huge.dat", kMaxSettingsFileBytes)) {
    SCOPED_TRACE(path);
    Preferences prefs;
    prefs.x = 5;
    std::string error;
    LoadPreferences(prefs, path, &error);
    EXPECT_EQ(prefs, ReadDefaults(Preferences{}.sci_color_selection_back));
    EXPECT_NE(error.find(why), std::string::npos) << error;
    EXPECT_FALSE(SavePreferences(prefs, path, &error));
    EXPECT_NE(error.find(why), std::string::npos) << error;
  }
  EXPECT_TRUE(std::filesystem::is_fifo("pipe.dat"));
  EXPECT_EQ(std::filesystem::file_size("huge.dat"), kMaxSettingsFileBytes + 1);
  Preferences prefs;
  LoadPreferences(prefs, "missing/preferences.dat");
  EXPECT_FALSE(FileExists("missing"));
}

}  // namespace
}  // namespace vorlane
