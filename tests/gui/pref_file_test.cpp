#include "gui/pref_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kBomLf = "\xEF\xBB\xBF\n";

class PrefFileTest : public test::InTempDir {};

// Any line ending, blanks around names and values, groups and names in any
// case; a file without a byte-order mark is Latin-1; reading writes nothing.
TEST_F(PrefFileTest, ParsesLineEndingsBlanksGroupsAndCase) {
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
TEST_F(PrefFileTest, RewriteKeepsOrderCommentsAndUnknownLines) {
  WriteAll("p.dat", "lead = 0\n[A]\nKey = 1\n\nother = x\n; end of A\n[B]\nb = 2\njunk line\n");
  const std::string expected = kBomLf +
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
TEST_F(PrefFileTest, NewFileIsMarkedOnlyWhenItsTextIsNonAscii) {
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
