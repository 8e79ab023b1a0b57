#include <sys/stat.h>

#include "app/help_file.h"
#include "gui/file_util.h"
#include "ui_fixture.h"

// Help (F1) from the main window: the manual goes to the browser as the game
// page does, and what cannot be shown is said in a "Message" box.
namespace vorlane {
namespace {

using HelpTest = test::MainWindowFixture;
using Strings = std::vector<std::string>;

TEST_F(HelpTest, F1OpensTheManualInTheBrowser) {
  Start();
  const std::string here = WorkingDirectory();
  MakeDirectory("manual");
  test::WriteAll("manual/index.html", "<html>");
  MakeDirectory("bin");
  test::WriteAll("bin/x-www-browser", "#!/bin/sh\n");
  ::chmod("bin/x-www-browser", 0755);
  window().SetPathList(here + "bin");
  prefs().add_file_protocol = 1;
  window().RunCommand(Command::Help);
  EXPECT_TRUE(dialogs_.Boxes().empty());
  EXPECT_EQ(launched_, Strings{here + "bin/x-www-browser file://" + here + "manual/index.html"});
}

TEST_F(HelpTest, NoBrowserIsSaid) {
  Start();
  const std::string here = WorkingDirectory();
  MakeDirectory("manual");
  test::WriteAll("manual/index.html", "<html>");
  window().SetPathList(here + "nowhere");
  prefs().add_file_protocol = 0;
  window().RunCommand(Command::Help);
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(dialogs_.Boxes(),
            Strings{"Message: " + NoBrowserMessage(here + "manual/index.html")});
}

TEST_F(HelpTest, AMissingManualIsSaid) {
  Start();
  const std::string here = WorkingDirectory();
  MakeDirectory("bin");
  test::WriteAll("bin/x-www-browser", "#!/bin/sh\n");
  ::chmod("bin/x-www-browser", 0755);
  window().SetPathList(here + "bin");
  window().RunCommand(Command::Help);
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(dialogs_.Boxes(),
            Strings{"Message: " + ManualMissingMessage(here + "manual/index.html")});
}

}  // namespace
}  // namespace vorlane
