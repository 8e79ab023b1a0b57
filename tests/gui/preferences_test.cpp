#include "gui/preferences.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kBomLf = "\xEF\xBB\xBF\n";

const std::string kFirstFile =
    "[Code editor]\n"
    "sci_color_fore = 0\n"
    "sci_color_selection_back = 4194304\n"
    "sci_color_selection_fore = 16777215\n"
    "sci_color_command = 14888246\n"
    "sci_color_comment = 10526880\n"
    "sci_color_function = 2335523\n"
    "sci_color_number = 4210896\n"
    "sci_color_resource = 12298801\n"
    "sci_color_string = 12976326\n"
    "sci_color_vr_constant = 3947580\n"
    "sci_color_vr_function = 2255392\n"
    "sci_color_vr_variable = 1265745\n"
    "sci_color_caret = 15790335\n"
    "sci_font_family = Consolas\n"
    "sci_font_size = 11\n"
    "x = -1\n"
    "y = -1\n"
    "width = -1\n"
    "height = -1\n"
    "maximized = -1\n"
    "[Browser]\n"
    "add_file_protocol = 0\n"
    "[Misc]\n"
    "CheckProgramVersion = 1\n"
    "GenerateIndexHTML = 1\n"
    "ConfirmExit = 1\n"
    "[Export]\n"
    "ImgFolder = img\n"
    "AudFolder = aud\n";

class PreferencesTest : public test::InTempDir {};

TEST_F(PreferencesTest, FirstStartWritesTheStartUpValues) {
  Preferences prefs;
  LoadPreferences(prefs);
  EXPECT_EQ(ReadAll("preferences.dat"), kFirstFile);
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

TEST_F(PreferencesTest, UnusableFileGivesReadDefaultsAndWritesNothing) {
  Preferences prefs;
  prefs.sci_color_selection_back = 123;
  prefs.x = 5;
  LoadPreferences(prefs, "missing/preferences.dat");
  EXPECT_EQ(prefs, ReadDefaults(123));
  EXPECT_FALSE(SavePreferences(prefs, "missing/preferences.dat"));
  EXPECT_FALSE(FileExists("missing"));

  ASSERT_TRUE(MakeDirectory("preferences.dat"));
  WriteAll("preferences.dat/inside", "x");
  LoadPreferences(prefs);
  EXPECT_FALSE(SavePreferences(prefs));
  EXPECT_EQ(ReadAll("preferences.dat/inside"), "x");
}

// Neither waited on nor overwritten, and the error names the file.
TEST_F(PreferencesTest, FifoOrHugeFileIsLeftAlone) {
  for (const auto& [path, why] :
       test::UnreadableFiles("pipe.dat", "huge.dat", kMaxSettingsFileBytes)) {
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
}

TEST_F(PreferencesTest, SaveKeepsHandAddedLinesInPlace) {
  std::string text = kFirstFile;
  text.insert(text.find("sci_color_fore"), "; my colours\n");
  text.insert(text.find("GenerateIndexHTML"), "Theme = dark\n");
  WriteAll("preferences.dat", text);
  Preferences prefs;
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
