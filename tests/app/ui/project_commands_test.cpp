// What the windows ask and say around New, Open, Save, Run, Export and
// recovery; what the project holds afterwards belongs to the lifecycle and
// project file tests.
#include <QCheckBox>
#include <QMessageBox>

#include "project/project_file.h"
#include "project/recovery.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using ProjectCommandsTest = test::MainWindowFixture;
using Strings = std::vector<std::string>;

// New asks about unsaved changes only. Save asks for a name once, keeps the
// previous one when the name is cancelled, refused or cannot be written,
// and generates the game; Save as offers the current name.
TEST_F(ProjectCommandsTest, NewSaveAndSaveAs) {
  Start();
  NewSprite(project());
  dialogs_.AnswerNo().AnswerYes();
  window().RunCommand(Command::New);
  EXPECT_EQ(project().sprites.size(), 1u);
  window().RunCommand(Command::New);
  EXPECT_TRUE(project().sprites.empty());
  window().RunCommand(Command::New);  // a clean project asks nothing
  EXPECT_EQ(dialogs_.Boxes(), Strings(2, "Confirm: Unsaved changes will be lost. New?"));

  dialogs_.Clear();
  NewSprite(project());
  dialogs_.Drive(test::Press("Cancel")).Drive(test::TypeName("bad/name"));
  dialogs_.Drive(test::TypeName("demo"));
  for (int i = 0; i < 3; ++i) window().RunCommand(Command::Save);
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: ", 0), 0u);
  EXPECT_EQ(dialogs_.Boxes()[1], "Warning: There is no scene added.");
  EXPECT_TRUE(IsRegularFile("Projects/demo/game.js"));
  EXPECT_EQ(project().modified, 0);
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");
  // The project file, the page and the script; the sprite has no frame yet.
  EXPECT_EQ(window().status(), "SAVED demo: 3 files written");

  dialogs_.Clear();
  NewScene(project());
  window().RunCommand(Command::Save);
  EXPECT_TRUE(dialogs_.shown().empty()) << "the next save asks nothing";
  dialogs_.Drive([](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QLineEdit*>()->text(), "demo");
    ClickButton(dialog, "Cancel");
  });
  NewSprite(project());
  window().RunCommand(Command::SaveAs);
  EXPECT_EQ(project().modified, 1);
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");
}

// Open asks about unsaved changes, then shows the chosen project with its
// warnings; a refused one is said and the open one kept (which files are
// refused is the project file's test).
TEST_F(ProjectCommandsTest, OpenShowsTheChosenProjectOrSaysWhyNot) {
  Start();
  Project sample = test::SampleProject();
  sample.settings.advancedscriptmode = 1;
  ASSERT_TRUE(WriteProject(sample));
  std::string xml = test::ReadAll("Projects/demo.xml");  // a sound outside the project folder
  xml.replace(xml.find("wav=\"jump.wav\""), 14, "wav=\"../x.wav\"");
  test::WriteAll("Projects/demo.xml", xml);
  test::WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>");
  int comments_shown = 0;
  window().SetCommandHandler(Command::ShowGameComments, [&] { ++comments_shown; });
  NewScene(project());

  dialogs_.AnswerNo();
  window().RunCommand(Command::Open);
  EXPECT_EQ(dialogs_.shown().size(), 1u) << "No opens no dialog";
  dialogs_.AnswerYes().Drive(test::Press("Cancel"));
  window().RunCommand(Command::Open);
  dialogs_.AnswerYes().Drive(test::PickProject("newer"));
  window().RunCommand(Command::Open);
  EXPECT_EQ(dialogs_.Boxes()[3], "Error: This project requires a new program version (v130).");
  EXPECT_EQ(project().scenes.size(), 1u);
  EXPECT_EQ(window().status(), "STATUS: READY.");

  dialogs_.Clear();
  dialogs_.AnswerYes().Drive(test::PickProject("demo"));
  window().RunCommand(Command::Open);
  EXPECT_EQ(dialogs_.Boxes(),
            (Strings{"Confirm: Unsaved changes will be lost. Open a new project?",
                     "Warning: These files were left out because their names cannot be used: "
                     "../x.wav."}));
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");
  EXPECT_EQ(window().status(), "STATUS: READY.");
  EXPECT_TRUE(window().advanced_mode_box()->isChecked());
  EXPECT_EQ(comments_shown, 1);
}

// Run game saves first and hands the page to a browser; the status line says
// what was written and where the page went, as a browser may show nothing.
TEST_F(ProjectCommandsTest, RunGame) {
  Start();
  NewScene(project());
  window().RunCommand(Command::RunGame);
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Message: Please save your game."});
  dialogs_.Clear();
  dialogs_.Drive(test::TypeName("my game"));
  window().RunCommand(Command::Save);
  const std::string browser = InstallBrowser();
  const std::string page = "file://" + WorkingDirectory() + "Projects/my game/index.html";
  prefs().add_file_protocol = 1;
  NewSprite(project());
  window().RunCommand(Command::RunGame);
  EXPECT_EQ(project().modified, 0);
  EXPECT_EQ(launched_, Strings{browser + " " + page});
  EXPECT_EQ(window().status(),
            "WROTE index.html, game.js. OPENING " + page + " WITH x-www-browser.");

  window().SetPathList(WorkingDirectory() + "nowhere");
  window().RunCommand(Command::RunGame);
  EXPECT_EQ(dialogs_.Boxes().back().rfind("Message: No web browser could be started", 0), 0u);
  EXPECT_EQ(window().status(), "WROTE index.html, game.js. NO WEB BROWSER COULD BE STARTED.");
  // The user's own empty page, kept since pages are not generated.
  prefs().GenerateIndexHTML = 0;
  test::WriteAll("Projects/my game/index.html", "");
  window().RunCommand(Command::RunGame);
  EXPECT_EQ(dialogs_.Boxes().back(), std::string("Message: ") + kPageMissingMessage);
  EXPECT_EQ(window().status(), "WROTE game.js.");
  EXPECT_EQ(launched_.size(), 1u);
}

// Export names and saves the project first, packs the game into the zip
// chosen while a progress window runs, keeps an older zip when cancelled and
// names a file the game needs that has gone.
TEST_F(ProjectCommandsTest, ExportGame) {
  Start();
  NewScene(project());
  dialogs_.Drive(test::TypeName("demo")).Cancel();
  window().RunCommand(Command::ExportGame);
  EXPECT_TRUE(IsRegularFile("Projects/demo/game.js"));
  EXPECT_EQ(dialogs_.shown().back().kind, "save");
  const auto run_to_end = [](QDialog& progress) {
    progress.show();
    EXPECT_TRUE(test::WaitFor([&] { return progress.isHidden(); }));
  };
  dialogs_.Clear();
  NewSprite(project());
  dialogs_.PickFile("out").Drive(run_to_end);
  window().RunCommand(Command::ExportGame);
  EXPECT_EQ(dialogs_.shown().back(), (ScriptedDialogs::Shown{"window", "Export game", ""}));
  EXPECT_EQ(project().modified, 0);
  const std::string zipped = test::ReadAll("out.zip");
  EXPECT_FALSE(zipped.empty());
  EXPECT_EQ(window().status(), "GAME EXPORTED: out.zip (2 files).");
  NewSprite(project());
  dialogs_.PickFile("out").Cancel();
  window().RunCommand(Command::ExportGame);
  EXPECT_EQ(test::ReadAll("out.zip"), zipped);
  EXPECT_EQ(window().status(), "EXPORT CANCELLED.");

  project().backgrounds.push_back({"bg_sky", "sky.png"});
  SetModified(project(), 1);
  dialogs_.PickFile("sky.zip").Drive(run_to_end);
  window().RunCommand(Command::ExportGame);
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Error: The game could not be exported: the file "
                                      "\"Projects/demo/img/sky.png\" the game needs is missing."});
  EXPECT_FALSE(FileExists("sky.zip"));
}

// What a killed run leaves: its working folder with media and a recovery
// file, from `time`, of the sample named `name` with one more sprite than
// was saved.
void LeaveKilledRun(const std::string& folder, std::int64_t time, const std::string& name) {
  Project killed = test::SampleProject();
  killed.projectname = name;
  killed.tempfolder = folder;
  MakeDirectory(folder);
  test::WriteSampleMedia(folder);
  ASSERT_TRUE(WriteProject(killed));
  NewSprite(killed);
  RecoveryCache cache;
  ASSERT_TRUE(WriteRecovery(TakeRecoverySnapshot(killed, time), cache));
}

// Killed runs are offered newest first: a newer version's file is refused
// once and kept for it; No removes that run's folder; Yes restores the
// unsaved changes, marked modified, until a save.
TEST_F(ProjectCommandsTest, RecoveryAtStart) {
  LeaveKilledRun("_temp_000001", 1700000000, "demo");
  LeaveKilledRun("_temp_000002", 1700000100, "other");
  LeaveKilledRun("_temp_000003", 1700000200, "demo");
  std::string newer = test::ReadAll("_temp_000003/recovery.xml");
  newer.replace(0, newer.find('\n'), "VORLANE RECOVERY 130 1700000200 demo");
  test::WriteAll("_temp_000003/recovery.xml", newer);
  dialogs_.AnswerNo().AnswerYes();
  Start();
  const Strings boxes = dialogs_.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].rfind("Error: " + NewerVersionMessage(130), 0), 0u);
  EXPECT_EQ(boxes[1].rfind("Confirm: Vorlane did not close normally. Restore the unsaved changes "
                           "of other from ",
                           0),
            0u);
  EXPECT_EQ(test::ReadAll("_temp_000003/recovery-v130.xml"), newer);
  EXPECT_FALSE(FileExists("_temp_000002")) << "nor its copies of media";
  EXPECT_EQ(project().sprites.size(), 2u);
  EXPECT_EQ(project().modified, 1);
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");
  window().RunCommand(Command::Save);
  EXPECT_FALSE(FileExists("_temp_000001/recovery.xml"));
  EXPECT_TRUE(FindRecoveries().empty()) << "the newer one is not asked about again";
}

// Autosave writes the recovery file, never the project file, and only for
// unsaved changes; New and leaving remove it.
TEST_F(ProjectCommandsTest, Autosave) {
  Start();
  NewScene(project());
  dialogs_.Drive(test::TypeName("demo"));
  window().RunCommand(Command::Save);
  const std::string saved = test::ReadAll("Projects/demo.xml");
  const auto autosave = [&] {
    window().Autosave();
    window().autosaver().Wait();
    return FileExists(project().tempfolder + "/recovery.xml");
  };
  EXPECT_FALSE(autosave());
  NewSprite(project());
  EXPECT_TRUE(autosave());
  EXPECT_EQ(test::ReadAll("Projects/demo.xml"), saved);
  const std::string folder = project().tempfolder;
  dialogs_.AnswerYes();
  window().RunCommand(Command::New);
  EXPECT_FALSE(FileExists(folder));
  NewSprite(project());
  EXPECT_TRUE(autosave());
  dialogs_.Drive(
      [](QDialog& box) { qobject_cast<QMessageBox*>(&box)->button(QMessageBox::No)->click(); });
  window().ExitProgram();
  EXPECT_TRUE(FindRecoveries().empty());
}

}  // namespace
}  // namespace vorlane
