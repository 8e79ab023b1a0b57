#include <QMessageBox>

#include "gui/file_util.h"
#include "project/recovery.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

// Autosave and the question at start after a run that did not exit normally.
namespace vorlane {
namespace {

using RecoveryUiTest = test::MainWindowFixture;
using Strings = std::vector<std::string>;

// What a killed run leaves: its working folder with media and a recovery
// file of the sample with one more sprite than was saved.
void LeaveKilledRun() {
  Project killed = test::SampleProject();
  killed.tempfolder = "_temp_235959";
  MakeDirectory(killed.tempfolder);
  test::WriteSampleMedia(killed.tempfolder);
  ASSERT_TRUE(WriteProject(killed));
  NewSprite(killed);
  RecoveryCache cache;
  ASSERT_TRUE(WriteRecovery(TakeRecoverySnapshot(killed, 1700000000), cache));
}

TEST_F(RecoveryUiTest, YesOpensTheRecoveredProjectMarkedModified) {
  LeaveKilledRun();
  dialogs_.AnswerYes();
  Start();
  const Strings questions = dialogs_.Boxes();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].rfind("Confirm: Vorlane did not close normally. Restore the unsaved "
                               "changes of demo from ",
                               0),
            0u);
  EXPECT_EQ(project().sprites.size(), 2u);
  EXPECT_EQ(project().modified, 1);
  EXPECT_EQ(project().tempfolder, "_temp_235959");
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");

  // Saving ends the recovery; so does leaving.
  dialogs_.Clear();
  window().RunCommand(Command::Save);
  EXPECT_EQ(project().modified, 0);
  EXPECT_FALSE(FileExists("_temp_235959/recovery.xml"));
}

TEST_F(RecoveryUiTest, NoRemovesTheKilledRunsFolderAndStartsFresh) {
  LeaveKilledRun();
  dialogs_.AnswerNo();
  Start();
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_TRUE(project().sprites.empty());
  EXPECT_FALSE(FileExists("_temp_235959")) << "nor its copies of media";
  dialogs_.Clear();
  window().StartFreshProject();
  EXPECT_TRUE(dialogs_.shown().empty());
}

TEST_F(RecoveryUiTest, AutosaveWritesTheRecoveryFileNeverTheProjectFile) {
  Start();
  NewScene(project());
  dialogs_.Drive(test::TypeName("demo"));
  window().RunCommand(Command::Save);
  const std::string saved = test::ReadAll("Projects/demo.xml");
  const std::string recovery = project().tempfolder + "/recovery.xml";

  window().Autosave();  // nothing unsaved: nothing written
  window().autosaver().Wait();
  EXPECT_FALSE(FileExists(recovery));

  NewSprite(project());
  window().Autosave();
  window().autosaver().Wait();
  EXPECT_TRUE(FileExists(recovery));
  EXPECT_EQ(test::ReadAll("Projects/demo.xml"), saved);
  EXPECT_EQ(project().modified, 1);

  // New removes it with the working folder; a normal exit too.
  const std::string folder = project().tempfolder;
  dialogs_.AnswerYes();
  window().RunCommand(Command::New);
  EXPECT_FALSE(FileExists(folder));
  NewSprite(project());
  window().Autosave();
  window().autosaver().Wait();
  EXPECT_TRUE(FileExists(project().tempfolder + "/recovery.xml"));
  // Leaving without saving.
  dialogs_.Drive(
      [](QDialog& box) { qobject_cast<QMessageBox*>(&box)->button(QMessageBox::No)->click(); });
  window().ExitProgram();
  EXPECT_EQ(exits_, 1);
  EXPECT_TRUE(FindRecoveries().empty());
}

TEST_F(RecoveryUiTest, ARecoveryFileOfANewerVersionIsRefusedOnceAndKept) {
  LeaveKilledRun();
  std::string text = test::ReadAll("_temp_235959/recovery.xml");
  text.replace(0, text.find('\n'), "VORLANE RECOVERY 130 1700000000 demo");
  test::WriteAll("_temp_235959/recovery.xml", text);
  Start();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: " + NewerVersionMessage(130), 0), 0u);
  EXPECT_TRUE(project().sprites.empty());
  // Kept for that version, and not asked about at the next start.
  EXPECT_EQ(test::ReadAll("_temp_235959/recovery-v130.xml"), text);
  EXPECT_TRUE(FindRecoveries().empty());
}

}  // namespace
}  // namespace vorlane
