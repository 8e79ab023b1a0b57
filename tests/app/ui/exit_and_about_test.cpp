#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/ui/about_window.h"
#include "gui/file_util.h"
#include "gui/ui/image_view.h"
#include "project/project_list.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using ExitTest = test::MainWindowFixture;

// Answers the question about unsaved changes.
std::function<void(QDialog&)> SaveChanges(QMessageBox::StandardButton answer) {
  return [answer](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Confirm");
    EXPECT_EQ(box->text(), "Save the changes to the project before leaving?");
    box->button(answer)->click();
  };
}

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

  // Unsaved changes replace the plain question; No leaves without saving.
  NewScene(project());
  dialogs_.Drive(SaveChanges(QMessageBox::No));
  prefs().ImgFolder = "changed";
  project().imgfolder = "pictures";
  window().RunCommand(Command::Exit);
  EXPECT_EQ(dialogs_.shown().size(), 2u);
  EXPECT_EQ(exits_, 1);
  EXPECT_FALSE(FileExists(folder));
  EXPECT_TRUE(RefreshProjectList().empty());
  // The preferences are saved, with the project's folder names.
  EXPECT_NE(test::ReadAll("preferences.dat").find("ImgFolder = pictures"), std::string::npos);
}

TEST_F(ExitTest, UnsavedChangesAreAskedAboutWithoutConfirmExitToo) {
  test::WriteAll("preferences.dat", "[Misc]\nConfirmExit = 0\n");
  Start();
  NewScene(project());
  dialogs_.Drive(SaveChanges(QMessageBox::Cancel));
  EXPECT_FALSE(window().close());
  // A Save whose name dialog is cancelled, or whose name is refused, stays.
  dialogs_.Drive(SaveChanges(QMessageBox::Yes)).Drive(test::Press("Cancel"));
  window().RunCommand(Command::Exit);
  dialogs_.Drive(SaveChanges(QMessageBox::Yes)).Drive(test::TypeName("bad/name"));
  window().RunCommand(Command::Exit);
  EXPECT_EQ(exits_, 0);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The project could not be saved", 0), 0u);

  dialogs_.Drive(SaveChanges(QMessageBox::Yes)).Drive(test::TypeName("demo"));
  EXPECT_TRUE(window().close());
  EXPECT_EQ(exits_, 1);
  EXPECT_TRUE(IsRegularFile("Projects/demo.xml"));
  EXPECT_TRUE(IsRegularFile("Projects/demo/game.js"));

  // Nothing unsaved: the preference says no question.
  dialogs_.Clear();
  const std::string folder = project().tempfolder;
  window().RunCommand(Command::Exit);
  EXPECT_TRUE(dialogs_.shown().empty());
  EXPECT_EQ(exits_, 2);
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
