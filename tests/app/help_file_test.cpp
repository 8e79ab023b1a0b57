#include "app/help_file.h"

#include <gtest/gtest.h>

#include "generate/run_game.h"
#include "gui/file_util.h"
#include "support/temp_dir.h"

namespace vorlane {
namespace {

using test::WriteAll;

class HelpFileTest : public test::InTempDir {
 protected:
  std::string here_ = WorkingDirectory();
};

TEST_F(HelpFileTest, TheHelpFileComesFirst) {
  WriteAll("vorlane.chm", "chm");
  MakeDirectory("manual");
  WriteAll("manual/index.html", "<html>");
  const HelpChoice help = ChooseHelp(here_, 1);
  EXPECT_EQ(help.kind, HelpKind::HelpFile);
  EXPECT_EQ(help.path, here_ + "vorlane.chm");
  EXPECT_EQ(help.message, "");
}

TEST_F(HelpFileTest, WithoutItTheManualsStartPage) {
  MakeDirectory("manual");
  WriteAll("manual/index.html", "<html>");
  HelpChoice help = ChooseHelp(here_, 1);
  EXPECT_EQ(help.kind, HelpKind::Manual);
  EXPECT_EQ(help.path, here_ + "manual/index.html");
  EXPECT_EQ(help.address, "file://" + here_ + "manual/index.html");
  // The address follows the preference the game page's does.
  help = ChooseHelp(here_, 0);
  EXPECT_EQ(help.address, here_ + "manual/index.html");
  // A folder without the trailing "/" is the same folder.
  help = ChooseHelp(here_.substr(0, here_.size() - 1), 0);
  EXPECT_EQ(help.address, here_ + "manual/index.html");
  // A folder named like the help file is not one.
  MakeDirectory("vorlane.chm");
  EXPECT_EQ(ChooseHelp(here_, 0).kind, HelpKind::Manual);
}

TEST_F(HelpFileTest, AMissingManualIsNamedInTheMessage) {
  HelpChoice help = ChooseHelp(here_, 1);
  EXPECT_EQ(help.kind, HelpKind::Missing);
  EXPECT_EQ(help.path, here_ + "manual/index.html");
  EXPECT_NE(help.message.find(here_ + "manual/index.html"), std::string::npos) << help.message;
  EXPECT_NE(help.message.find("missing"), std::string::npos) << help.message;
  EXPECT_EQ(help.message, ManualMissingMessage(here_ + "manual/index.html"));

  // An empty start page or a folder in its place shows nothing either.
  MakeDirectory("manual");
  WriteAll("manual/index.html", "");
  EXPECT_EQ(ChooseHelp(here_, 1).kind, HelpKind::Missing);
  DeleteFile("manual/index.html");
  MakeDirectory("manual/index.html");
  EXPECT_EQ(ChooseHelp(here_, 1).kind, HelpKind::Missing);
}

}  // namespace
}  // namespace vorlane
