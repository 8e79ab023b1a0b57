#include "gui/preferences.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "gui/file_util.h"
#include "gui/golden.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kBomLf = "\xEF\xBB\xBF\n";

class PreferencesTest : public test::InTempDir {};

TEST_F(PreferencesTest, FirstStartWritesTheStartUpValues) {
  Preferences prefs;
  LoadPreferences(prefs);
  test::ExpectGolden("preferences.dat", ReadAll("preferences.dat"));
  EXPECT_EQ(prefs, Preferences{});
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
  WriteAll("preferences.dat", "[Code editor]\r\nsci_font_size = 14\r\n\r\n");
  Preferences prefs;
  prefs.sci_color_selection_back = 123;
  prefs.ImgFolder = "pictures";
  LoadPreferences(prefs);
  Preferences expected = ReadDefaults(123);
  expected.sci_font_size = 14;
  EXPECT_EQ(prefs, expected);
  EXPECT_EQ(ReadAll("preferences.dat"), "[Code editor]\r\nsci_font_size = 14\r\n\r\n");
}

// What cannot be read gives the read defaults and is neither waited on nor
// overwritten; the error names the file. A missing folder is not made.
TEST_F(PreferencesTest, UnreadableFilesGiveReadDefaultsAndAreLeftAlone) {
  MakeDirectory("folder.dat");
  auto cases = test::UnreadableFiles("pipe.dat", "huge.dat", kMaxSettingsFileBytes);
  cases.push_back({"folder.dat", "\"folder.dat\" was not read: it is not a regular file."});
  for (const auto& [path, why] : cases) {
    SCOPED_TRACE(path);
    Preferences prefs;
    prefs.x = 5;
    std::string error;
    LoadPreferences(prefs, path, &error);
    EXPECT_EQ(prefs, ReadDefaults(Preferences{}.sci_color_selection_back));
    EXPECT_NE(error.find(why), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(SavePreferences(prefs, path, &error));
    EXPECT_NE(error.find(why), std::string::npos) << error;
  }
  EXPECT_TRUE(std::filesystem::is_fifo("pipe.dat"));
  EXPECT_EQ(std::filesystem::file_size("huge.dat"), kMaxSettingsFileBytes + 1);
  EXPECT_TRUE(std::filesystem::is_empty("folder.dat"));

  Preferences prefs;
  prefs.sci_color_selection_back = 123;
  LoadPreferences(prefs, "missing/preferences.dat");
  EXPECT_EQ(prefs, ReadDefaults(123));
  EXPECT_FALSE(FileExists("missing"));
}

TEST_F(PreferencesTest, SaveKeepsHandAddedLinesInPlace) {
  Preferences prefs;
  LoadPreferences(prefs);
  std::string text = ReadAll("preferences.dat");
  text.insert(text.find("sci_color_fore"), "; my colours\n");
  text.insert(text.find("GenerateIndexHTML"), "Theme = dark\n");
  WriteAll("preferences.dat", text);
  prefs.ConfirmExit = 0;
  ASSERT_TRUE(SavePreferences(prefs));
  text.replace(text.find("ConfirmExit = 1"), 15, "ConfirmExit = 0");
  EXPECT_EQ(ReadAll("preferences.dat"), kBomLf + text);
}

TEST_F(PreferencesTest, NonAsciiTextInNewFileSurvivesReload) {
  Preferences prefs;
  prefs.AudFolder = "m\xC3\xBCsik";
  ASSERT_TRUE(SavePreferences(prefs));
  EXPECT_EQ(ReadAll("preferences.dat").substr(0, 4), kBomLf);
  Preferences back;
  LoadPreferences(back);
  EXPECT_EQ(back, prefs);
}

}  // namespace
}  // namespace vorlane
