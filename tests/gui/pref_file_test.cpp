#include "gui/pref_file.h"

#include <gtest/gtest.h>

#include <climits>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::ReadAll;
using test::WriteAll;

const std::string kBomLf = "\xEF\xBB\xBF\n";

class PrefFileTest : public test::InTempDir {};

TEST_F(PrefFileTest, ParsesLineEndingsBlanksGroupsAndCase) {
  const std::string text =
      "top = 1\r\n[Main]\r  \tName\t = \t  Blue \t\r\n\n;c\rCOUNT=7x\nbad\n[other]\n"
      "name = r\xE9" "d";
  WriteAll("p.dat", text);
  PrefFile f;
  ASSERT_TRUE(f.Open("p.dat"));
  EXPECT_EQ(f.ReadText("main", "NAME", "?"), "Blue");
  EXPECT_EQ(f.ReadInt("MAIN", "count", -1), 7);  // numbers follow LeadingInt
  EXPECT_EQ(f.ReadInt("main", "bad", -1), 0);     // a line without "=" is an empty value
  EXPECT_EQ(f.ReadInt("main", "missing", -1), -1);
  EXPECT_EQ(f.ReadText("Other", "name", "?"), "r\xC3\xA9" "d");  // no byte-order mark: Latin-1
  EXPECT_FALSE(f.HasKey("other", "count"));
  // Keys above the first header belong to no group, not even an unnamed one.
  EXPECT_FALSE(f.HasKey("Main", "top"));
  EXPECT_FALSE(f.HasKey("", "top"));
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("p.dat"), text);  // nothing written, nothing rewritten
}

TEST_F(PrefFileTest, RewriteKeepsOrderCommentsAndUnknownLines) {
  WriteAll("p.dat",
           "  ;\t note\nlead = 0\n[A]\nKey = 1\n\nother = x\n; end of A\n[B]\nb = 2\njunk line\n");
  PrefFile f;
  ASSERT_TRUE(f.Open("p.dat"));
  f.WriteInt("a", "KEY", 5);
  f.WriteInt("A", "added", -3);
  f.WriteText("C", "t", "v");
  f.WriteText("c", "u", "w");
  f.WriteInt("", "lead", 9);  // the headerless key is not in an unnamed group
  ASSERT_TRUE(f.Close());
  const std::string expected = kBomLf +
      "; note\nlead = 0\n[A]\nKey = 5\nother = x\nadded = -3\n; end of A\n[B]\nb = 2\n"
      "junk line\n[C]\nt = v\nu = w\n[]\nlead = 9\n";
  EXPECT_EQ(ReadAll("p.dat"), expected);

  ASSERT_TRUE(f.Open("p.dat"));
  f.WriteInt("A", "key", 5);
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("p.dat"), expected);
}

TEST_F(PrefFileTest, NewFileIsMarkedOnlyWhenItsTextIsNonAscii) {
  PrefFile f;
  EXPECT_FALSE(f.Open("ascii.dat"));
  f.WriteInt("g", "k", 1);
  f.WriteText("g", "t", "a\n[h]\rx = 1");  // cannot smuggle in lines
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("ascii.dat"), "[g]\nk = 1\nt = a [h] x = 1\n");

  EXPECT_FALSE(f.Open("utf8.dat"));
  f.WriteText("g", "k", "\xC3\xA9");
  ASSERT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("utf8.dat"), kBomLf + "[g]\nk = \xC3\xA9\n");
}

}  // namespace
}  // namespace vorlane
