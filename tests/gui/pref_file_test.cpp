#include "gui/pref_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

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
      "top = 1\r\n[Main]\r  \tName\t = \t  Blue \t\r\n\n;c\rCOUNT=7\n[other]\nname = red";
  WriteAll("p.dat", text);
  PrefFile f;
  ASSERT_TRUE(f.Open("p.dat"));
  EXPECT_EQ(f.ReadText("main", "NAME", "?"), "Blue");
  EXPECT_EQ(f.ReadInt("MAIN", "count", -1), 7);
  EXPECT_EQ(f.ReadText("Other", "name", "?"), "red");
  EXPECT_FALSE(f.HasKey("other", "count"));
  // Keys above the first header belong to no group, not even an unnamed one.
  EXPECT_FALSE(f.HasKey("Main", "top"));
  EXPECT_FALSE(f.HasKey("", "top"));
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(ReadAll("p.dat"), text);  // nothing written, nothing rewritten
}

TEST_F(PrefFileTest, IntegerReadsTakeTheLeadingNumberAndClamp) {
  WriteAll("p.dat",
           "[g]\na = abc\nb = -12xyz\nc = 99999999999999999999\nd = -99999999999999999999\n"
           "e = +7\nf = -\nno equals sign\n");
  PrefFile f;
  ASSERT_TRUE(f.Open("p.dat"));
  EXPECT_EQ(f.ReadInt("g", "a", 5), 0);
  EXPECT_EQ(f.ReadInt("g", "b", 5), -12);
  EXPECT_EQ(f.ReadInt("g", "c", 5), INT_MAX);
  EXPECT_EQ(f.ReadInt("g", "d", 5), INT_MIN);
  EXPECT_EQ(f.ReadInt("g", "e", 5), 7);
  EXPECT_EQ(f.ReadInt("g", "f", 5), 0);
  EXPECT_EQ(f.ReadInt("g", "no equals sign", 5), 0);
  EXPECT_EQ(f.ReadInt("g", "missing", 5), 5);
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

TEST_F(PrefFileTest, FailedSaveLeavesTheOldFile) {
  // The folder disappears between reading and writing.
  PrefFile f;
  ASSERT_TRUE(MakeDirectory("sub"));
  WriteAll("sub/p.dat", "[g]\nk = 1\n");
  ASSERT_TRUE(f.Open("sub/p.dat"));
  f.WriteInt("g", "k", 2);
  ASSERT_EQ(std::rename("sub", "moved"), 0);
  EXPECT_FALSE(f.Save());
  EXPECT_EQ(ReadAll("moved/p.dat"), "[g]\nk = 1\n");
}

}  // namespace
}  // namespace vorlane
