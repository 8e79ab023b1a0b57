#include <QLabel>

#include "app/ui/about_window.h"
#include "gui/file_util.h"
#include "gui/ui/image_view.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using ExitTest = test::MainWindowFixture;

TEST_F(ExitTest, ConfirmExitAsksAndNoStays) {
  Start();
  const std::string folder = project().tempfolder;
  test::WriteAll(folder + "/boom.wav", "x");
  ASSERT_EQ(prefs().ConfirmExit, 1);

  dialogs_.AnswerNo();
  EXPECT_FALSE(window().close());
  EXPECT_EQ(dialogs_.Boxes(), (std::vector<std::string>{"Confirm: Exit from Vorlane?"}));
  EXPECT_EQ(exits_, 0);
  EXPECT_TRUE(IsDirectory(folder));

  dialogs_.AnswerYes();
  prefs().ImgFolder = "changed";
  project().imgfolder = "pictures";
  window().RunCommand(Command::Exit);
  EXPECT_EQ(exits_, 1);
  EXPECT_FALSE(FileExists(folder));
  // The preferences are saved, with the project's folder names.
  EXPECT_NE(test::ReadAll("preferences.dat").find("ImgFolder = pictures"), std::string::npos);
}

TEST_F(ExitTest, WithoutConfirmationTheCloseButtonLeavesAtOnce) {
  test::WriteAll("preferences.dat", "[Misc]\nConfirmExit = 0\n");
  Start();
  ASSERT_EQ(prefs().ConfirmExit, 0);
  NewSprite(project());  // unsaved changes are not asked about
  const std::string folder = project().tempfolder;
  EXPECT_TRUE(window().close());
  EXPECT_TRUE(dialogs_.shown().empty());
  EXPECT_EQ(exits_, 1);
  EXPECT_FALSE(FileExists(folder));
}

TEST_F(ExitTest, AboutClosesOnAClickOnThePicture) {
  Start();
  dialogs_.Drive([](QDialog& dialog) {
    auto& about = static_cast<AboutWindow&>(dialog);
    EXPECT_EQ(about.windowTitle(), "Vorlane v1.2.9");
    EXPECT_EQ(about.version_label()->text(), "version 1.2.9");
    EXPECT_FALSE(about.picture()->picture().isNull());
    about.reject();  // Escape does nothing
    EXPECT_EQ(about.result(), QDialog::Rejected);
    emit about.picture()->Clicked();
  });
  window().RunCommand(Command::About);
  EXPECT_EQ(dialogs_.shown().size(), 1u);
}

}  // namespace
}  // namespace vorlane
