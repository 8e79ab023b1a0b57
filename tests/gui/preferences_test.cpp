// The preferences: the record, the file format beneath it and the numbers
// it reads.
#include "gui/preferences.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "gui/file_util.h"
#include "support/golden.h"
#include "gui/number_text.h"
#include "gui/pref_file.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kBomLf = "\xEF\xBB\xBF\n";

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
  for (const auto& [path, why] :
       test::UnreadableFiles("pipe.dat", "huge.dat", kMaxSettingsFileBytes)) {
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

TEST(NumberTextTest, LeadingIntegerOrZero) {
  const std::pair<const char*, int> cases[] = {{"  -12xyz", -12},
                                               {"+7", 7},
                                               {"\t\r\n5", 5},
                                               {"abc", 0},
                                               {"-", 0},
                                               {"1 2", 1},
                                               {"2147483648", INT_MAX},
                                               {"-99999999999999999999999999", INT_MIN}};
  for (const auto& [text, number] : cases) EXPECT_EQ(LeadingInt(text), number) << text;
}

// Any line ending, blanks around names and values, groups and names in any
// case; a file without a byte-order mark is Latin-1; reading writes nothing.
TEST_F(PreferencesTest, ParsesLineEndingsBlanksGroupsAndCase) {
  const std::string text =
      "top = 1\r\n[Main]\r  \tName\t = \t  Blue \t\r\n\n;c\rCOUNT=7x\nbad\n[other]\nname = r\xE9";
  WriteAll("p.dat", text);
  PrefFile f;
  ASSERT_TRUE(f.Open("p.dat"));
  EXPECT_EQ(f.ReadText("main", "NAME", "?"), "Blue");
  EXPECT_EQ(f.ReadInt("MAIN", "count", -1), 7);
  EXPECT_EQ(f.ReadInt("main", "bad", -1), 0);  // a line without "=" is an empty value
  EXPECT_EQ(f.ReadText("Other", "name", "?"), "r\xC3\xA9");
  EXPECT_FALSE(f.HasKey("other", "count"));
  EXPECT_FALSE(f.HasKey("", "top"));  // above the first header: in no group
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("p.dat"), text);
}

// A rewrite keeps order, comments and unknown lines, adds keys at the end of
// their group and groups at the end; writing the same again changes nothing.
TEST_F(PreferencesTest, RewriteKeepsOrderCommentsAndUnknownLines) {
  WriteAll("p.dat", "lead = 0\n[A]\nKey = 1\n\nother = x\n; end of A\n[B]\nb = 2\njunk line\n");
  const std::string expected =
      kBomLf +
      "lead = 0\n[A]\nKey = 5\nother = x\nadded = -3\n; end of A\n[B]\nb = 2\n"
      "junk line\n[C]\nt = v\nu = w\n[]\nlead = 9\n";
  for (int round = 0; round < 2; ++round) {
    PrefFile f;
    ASSERT_TRUE(f.Open("p.dat"));
    f.WriteInt("a", "KEY", 5);
    f.WriteInt("A", "added", -3);
    f.WriteText("C", "t", "v");
    f.WriteText("c", "u", "w");
    f.WriteInt("", "lead", 9);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadAll("p.dat"), expected);
  }
}

// A new file gets a byte-order mark only for non-ASCII text; a value cannot
// smuggle in lines.
TEST_F(PreferencesTest, NewFileIsMarkedOnlyWhenItsTextIsNonAscii) {
  PrefFile f;
  EXPECT_FALSE(f.Open("ascii.dat"));
  f.WriteText("g", "t", "a\n[h]\rx = 1");
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("ascii.dat"), "[g]\nt = a [h] x = 1\n");
  EXPECT_FALSE(f.Open("utf8.dat"));
  f.WriteText("g", "k", "\xC3\xA9");
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("utf8.dat"), kBomLf + "[g]\nk = \xC3\xA9\n");
}

}  // namespace
}  // namespace vorlane
