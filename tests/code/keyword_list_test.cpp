#include "code/keyword_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "gui/file_limits.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::WriteAll;

class KeywordListTest : public test::InTempDir {};

// "name class help1 | help2" per record, records joined by "; ".
std::string Dump(const KeywordList& list, size_t count = std::string::npos) {
  std::string text;
  for (size_t i = 0; i < list.size() && i < count; ++i) {
    const KeywordRecord& r = list[i];
    text += (i ? "; " : "") + r.name + ' ' + r.class_ + ' ' + r.help1 + " | " + r.help2;
  }
  return text;
}

std::string LoadDump(const std::string& bytes) {
  WriteAll("keywords.dat", bytes);
  KeywordList list;
  EXPECT_TRUE(LoadKeywordFile(list));
  return Dump(list);
}

// Three-line records with any line end. An incomplete last record gets empty
// help lines; a last record whose first line is empty is none; unknown
// classes and blank heads skip their whole record, so the next one is read
// in step; a byte-order mark does not hide the first record.
TEST_F(KeywordListTest, ReadsThreeLineRecordsInStep) {
  const std::pair<std::string, std::string> cases[] = {
      {"!draw_text\ndraw_text(x)\nDraws.\n.room_speed\nroom_speed\nPer "
       "second.\n#c_red\nc_red\nn/a\n",
       "draw_text Fn draw_text(x) | Draws.; room_speed Var room_speed | Per second.; c_red Cons "
       "c_red | n/a"},
      {"!a\nh\nh\n!b\nhelp b", "a Fn h | h; b Fn help b | "},
      {"!a\nh\nh\n\n", "a Fn h | h"},
      {"?odd\nx\ny\n\nempty head\nz\n@at\n1\n2\n!good\ng1\ng2\nname\n3\n4\n", "good Fn g1 | g2"},
      {"\xEF\xBB\xBF!first\nh1\nh2\n", "first Fn h1 | h2"},
  };
  for (const auto& [text, records] : cases)
    for (const std::string eol : {"\n", "\r", "\r\n"}) {
      std::string bytes = text;
      for (size_t at = bytes.find('\n'); at != std::string::npos;
           at = bytes.find('\n', at + eol.size()))
        bytes.replace(at, 1, eol);
      EXPECT_EQ(LoadDump(bytes), records) << text << " with line end " << eol.size();
    }
}

// The key constants follow the file's records (the engine tests check they
// are the engine's, the completion test that there are 82).
TEST_F(KeywordListTest, KeyConstantsFollowTheFile) {
  const std::string constants = Dump(LoadKeywordList());
  WriteAll("keywords.dat", "!f\nh\nh\n");
  EXPECT_EQ(Dump(LoadKeywordList()), "f Fn h | h; " + constants);
  EXPECT_EQ(Dump(LoadKeywordList(), 2), "f Fn h | h; vk_0 Cons  | ");
}

TEST_F(KeywordListTest, MissingFifoOrHugeFileAddsNothing) {
  auto files = test::UnreadableFiles("pipe.dat", "huge.dat", kMaxKeywordFileBytes);
  files.push_back({"nowhere/keywords.dat", ""});
  for (const auto& [path, why] : files) {
    KeywordList list;
    std::string error;
    EXPECT_FALSE(LoadKeywordFile(list, path, &error));
    EXPECT_NE(error.find(why), std::string::npos) << error;
    EXPECT_TRUE(list.empty());
  }
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
