#include "code/keyword_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::WriteAll;

class KeywordListTest : public test::InTempDir {};

std::vector<std::string> Names(const KeywordList& list) {
  std::vector<std::string> names;
  for (const KeywordRecord& r : list) names.push_back(r.name);
  return names;
}

TEST_F(KeywordListTest, ReadsThreeLineRecordsWithEveryLineEnd) {
  for (const std::string eol : {"\n", "\r", "\r\n"}) {
    WriteAll("keywords.dat", "!draw_text" + eol + "draw_text(x, y, text)" + eol + "Draws a text." +
                                 eol + ".room_speed" + eol + "room_speed" + eol + "Steps per second." +
                                 eol + "#c_red" + eol + "c_red" + eol + "n/a" + eol);
    KeywordList list;
    ASSERT_TRUE(LoadKeywordFile(list));
    ASSERT_EQ(list.size(), 3u) << "line end " << int(eol[0]) << eol.size();
    EXPECT_EQ(list[0].name, "draw_text");
    EXPECT_EQ(list[0].class_, "Fn");
    EXPECT_EQ(list[0].help1, "draw_text(x, y, text)");
    EXPECT_EQ(list[0].help2, "Draws a text.");
    EXPECT_EQ(list[1].class_, "Var");
    EXPECT_EQ(list[1].help2, "Steps per second.");
    EXPECT_EQ(list[2].class_, "Cons");
    EXPECT_EQ(list[2].help2, "n/a");
  }
}

TEST_F(KeywordListTest, IncompleteLastRecordGetsEmptyHelpLines) {
  WriteAll("keywords.dat", "!a\nhelp a\nmore a\n!b\nhelp b");
  KeywordList list;
  LoadKeywordFile(list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].name, "b");
  EXPECT_EQ(list[1].help1, "help b");
  EXPECT_EQ(list[1].help2, "");

  // A last record whose first line is empty is no record at all.
  WriteAll("keywords.dat", "!a\nhelp a\nmore a\n\n");
  list.clear();
  LoadKeywordFile(list);
  EXPECT_EQ(Names(list), std::vector<std::string>{"a"});
}

TEST_F(KeywordListTest, SkipsUnknownClassesAndBlankHeadsButKeepsCounting) {
  // Blank lines are lines: the second record starts with one and is skipped
  // whole, so the third is still read in step.
  WriteAll("keywords.dat",
           "?odd\nx\ny\n\nempty head\nz\n@at\n1\n2\n!good\ng1\ng2\nname\n3\n4\n");
  KeywordList list;
  LoadKeywordFile(list);
  EXPECT_EQ(Names(list), std::vector<std::string>{"good"});
  EXPECT_EQ(list[0].help1, "g1");
}

TEST_F(KeywordListTest, ByteOrderMarkDoesNotHideTheFirstRecord) {
  WriteAll("keywords.dat", "\xEF\xBB\xBF!first\nh1\nh2\n");
  KeywordList list;
  LoadKeywordFile(list);
  EXPECT_EQ(Names(list), std::vector<std::string>{"first"});
}

TEST_F(KeywordListTest, MissingOrEmptyFileLeavesOnlyTheKeyConstants) {
  KeywordList missing = LoadKeywordList();
  EXPECT_EQ(missing.size(), 82u);
  WriteAll("keywords.dat", "");
  KeywordList empty = LoadKeywordList();
  EXPECT_EQ(Names(empty), Names(missing));
  KeywordList none;
  EXPECT_FALSE(LoadKeywordFile(none, "nowhere/keywords.dat"));
  EXPECT_TRUE(none.empty());
}

TEST_F(KeywordListTest, KeyConstantsFollowTheFileInTheEngineOrder) {
  WriteAll("keywords.dat", "!f\nh\nh\n");
  const KeywordList list = LoadKeywordList();
  ASSERT_EQ(list.size(), 83u);
  EXPECT_EQ(list[0].name, "f");
  EXPECT_EQ(list[1].name, "vk_0");
  EXPECT_EQ(list[11].name, "vk_a");
  EXPECT_EQ(list[12].name, "vk_add");
  EXPECT_EQ(list[28].name, "vk_f1");
  EXPECT_EQ(list[29].name, "vk_f10");
  EXPECT_EQ(list[32].name, "vk_f2");
  EXPECT_EQ(list[52].name, "vk_num0");
  EXPECT_EQ(list[82].name, "vk_z");
  for (size_t i = 1; i < list.size(); ++i) {
    EXPECT_EQ(list[i].class_, "Cons");
    EXPECT_EQ(list[i].help1, "");
    EXPECT_EQ(list[i].help2, "");
  }
  // All distinct.
  std::vector<std::string> names = Names(list);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());
}

TEST_F(KeywordListTest, FindsTheFirstRecordWithHelp) {
  KeywordList list;
  AddKeywordRecord(list, "speed", "Var", "", "");
  AddKeywordRecord(list, "speed", "Var", "speed", "How fast.");
  AddKeywordRecord(list, "Speed", "Var", "other", "");
  EXPECT_EQ(FindKeywordWithHelp(list, "speed"), 1);
  EXPECT_EQ(FindKeywordWithHelp(list, "Speed"), 2);
  EXPECT_EQ(FindKeywordWithHelp(list, "SPEED"), -1);
  EXPECT_EQ(FindKeywordWithHelp(list, ""), -1);
}

}  // namespace
}  // namespace vorlane
