#include "editors/pending_file.h"

#include <gtest/gtest.h>

#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

class PendingFileTest : public test::InTempDir {
 protected:
  void SetUp() override { MakeDirectory("work"); }
};

TEST_F(PendingFileTest, NewFilesAreCopiedStoredNamesAndEmptyFilesAreNot) {
  MakeDirectory("chosen");
  test::WriteAll("chosen/boom.wav", "wav bytes");
  test::WriteAll("chosen/empty.ogg", "");
  test::WriteAll("work/boom.wav", "old");
  EXPECT_EQ(BareName("/a/b/chosen/boom.wav"), "boom.wav");
  EXPECT_EQ(BareName("boom.wav"), "boom.wav");
  EXPECT_EQ(CopyPendingFile("boom.wav", "work", 1000), "");  // already in the working folder
  EXPECT_EQ(test::ReadAll("work/boom.wav"), "old");
  EXPECT_EQ(CopyPendingFile("./chosen/boom.wav", "work", 1000), "");
  EXPECT_EQ(test::ReadAll("work/boom.wav"), "wav bytes");
  EXPECT_EQ(CopyPendingFile("./chosen/empty.ogg", "work", 1000), "");
  EXPECT_FALSE(FileExists("work/empty.ogg"));
}

TEST_F(PendingFileTest, AFileThatCannotBeAddedIsNamedWithTheReason) {
  EXPECT_EQ(CopyPendingFile("./gone.wav", "work", 1000),
            "The file \"./gone.wav\" could not be added: it no longer exists.");
  test::WriteAll("big.wav", std::string(2000, 'x'));
  const std::string error = CopyPendingFile("./big.wav", "work", 1000);
  EXPECT_EQ(error.rfind("The file \"./big.wav\" could not be added. ", 0), 0u) << error;
  EXPECT_NE(error.find("larger than"), std::string::npos) << error;
  EXPECT_FALSE(FileExists("work/big.wav"));
}

}  // namespace
}  // namespace vorlane
