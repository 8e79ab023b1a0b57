#include <sys/stat.h>

#include <QCheckBox>

#include "app/app_text.h"
#include "gui/file_util.h"
#include "project/project_file.h"
#include "project/project_list.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

// What the windows ask and say around New, Open, Save and Run; what the
// project holds afterwards belongs to the lifecycle and project file tests.
namespace vorlane {
namespace {

using ProjectCommandsTest = test::MainWindowFixture;
using Strings = std::vector<std::string>;

TEST_F(ProjectCommandsTest, NewAsksAboutUnsavedChanges) {
  Start();
  NewSprite(project());
  dialogs_.AnswerNo();
  window().RunCommand(Command::New);
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Confirm: Unsaved changes will be lost. New?"});
  EXPECT_EQ(project().sprites.size(), 1u);

  dialogs_.AnswerYes();
  window().RunCommand(Command::New);
  EXPECT_TRUE(project().sprites.empty());
  dialogs_.Clear();
  window().RunCommand(Command::New);
  EXPECT_TRUE(dialogs_.shown().empty()) << "a clean project asks nothing";
}

TEST_F(ProjectCommandsTest, SaveAsksForANameOnceAndGeneratesTheGame) {
  Start();
  NewSprite(project());
  dialogs_.Drive(test::Press("Cancel"));
  window().RunCommand(Command::Save);
  EXPECT_EQ(project().modified, 1);
  EXPECT_TRUE(RefreshProjectList().empty());

  dialogs_.Drive(test::TypeName("demo"));
  window().RunCommand(Command::Save);
  EXPECT_EQ(project().modified, 0);
  EXPECT_TRUE(IsRegularFile("Projects/demo/game.js"));
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Warning: There is no scene added."});
  EXPECT_EQ(window().status(), "PROJECT SAVED.");
  EXPECT_TRUE(test::WaitFor([&] { return window().status() == "STATUS: READY."; }));

  dialogs_.Clear();
  NewScene(project());
  window().RunCommand(Command::Save);
  EXPECT_TRUE(dialogs_.shown().empty()) << "the next save asks nothing";
  EXPECT_EQ(project().modified, 0);
}

TEST_F(ProjectCommandsTest, ARefusedOrCancelledNameKeepsThePreviousOne) {
  Start();
  NewScene(project());
  dialogs_.Drive(test::TypeName("bad/name"));
  window().RunCommand(Command::Save);
  EXPECT_EQ(project().projectname, "");
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9");
  dialogs_.Drive(test::TypeName("first"));  // so the next Save asks again
  window().RunCommand(Command::Save);
  const std::string saved = test::ReadAll("Projects/first.xml");
  ASSERT_FALSE(saved.empty());

  NewSprite(project());
  dialogs_.Drive([](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QLineEdit*>()->text(), "first") << "the current name is offered";
    ClickButton(dialog, "Cancel");
  });
  window().RunCommand(Command::SaveAs);
  dialogs_.Drive(test::TypeName("bad/name"));
  window().RunCommand(Command::SaveAs);
  EXPECT_EQ(test::ReadAll("Projects/first.xml"), saved);
  EXPECT_EQ(project().projectname, "first");
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - first");
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  for (const auto& box : dialogs_.Boxes()) EXPECT_EQ(box.rfind("Error: ", 0), 0u) << box;

  window().RunCommand(Command::Save);  // asks nothing
  EXPECT_NE(test::ReadAll("Projects/first.xml"), saved);
  EXPECT_EQ(project().modified, 0);
}

TEST_F(ProjectCommandsTest, FailedSaveSaysSoAndWritesNoGame) {
  Start();
  NewSprite(project());
  MakeDirectory("Projects/blocked.xml");  // a folder in the way of the project file
  dialogs_.Drive(test::TypeName("blocked"));
  window().RunCommand(Command::Save);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Error: The project could not be saved", 0), 0u);
  EXPECT_EQ(project().modified, 1);
  EXPECT_FALSE(FileExists("Projects/blocked/game.js"));
}

TEST_F(ProjectCommandsTest, OpenAsksThenShowsTheChosenProject) {
  Start();
  Project sample = test::SampleProject();
  sample.settings.advancedscriptmode = 1;
  ASSERT_TRUE(WriteProject(sample));
  // An older file naming a sound outside the project folder.
  std::string xml = test::ReadAll("Projects/demo.xml");
  const std::string wav = "wav=\"" + sample.sounds[0].wav + "\"";
  ASSERT_NE(xml.find(wav), std::string::npos);
  xml.replace(xml.find(wav), wav.size(), "wav=\"../x.wav\"");
  test::WriteAll("Projects/demo.xml", xml);
  int comments_shown = 0;
  window().SetCommandHandler(Command::ShowGameComments, [&] { ++comments_shown; });
  NewScene(project());

  dialogs_.AnswerNo();  // nothing changes and no dialog opens
  window().RunCommand(Command::Open);
  EXPECT_EQ(dialogs_.Boxes(),
            Strings{"Confirm: Unsaved changes will be lost. Open a new project?"});
  EXPECT_EQ(dialogs_.shown().size(), 1u);
  dialogs_.AnswerYes().Drive(test::Press("Cancel"));
  window().RunCommand(Command::Open);
  EXPECT_EQ(project().scenes.size(), 1u);

  dialogs_.Clear();
  dialogs_.AnswerYes().Drive(test::PickProject("demo"));
  window().RunCommand(Command::Open);
  EXPECT_EQ(dialogs_.Boxes().back(),
            "Warning: These files were left out because their names cannot be used: ../x.wav.");
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9 - demo");
  EXPECT_EQ(window().status(), "STATUS: READY.");
  EXPECT_TRUE(window().advanced_mode_box()->isChecked());
  EXPECT_EQ(comments_shown, 1);
}

TEST_F(ProjectCommandsTest, RefusedOrDamagedProjectsSaySoAndKeepTheOpenOne) {
  Start();
  NewSprite(project());
  test::WriteAll("Projects/newer.xml", "<vorlane version=\"130\"/>");
  test::WriteAll("Projects/broken.xml", "<vorlane version=\"129\"");
  for (const char* name : {"newer", "broken"}) {
    dialogs_.AnswerYes().Drive(test::PickProject(name));
    window().RunCommand(Command::Open);
  }
  const auto boxes = dialogs_.Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[1], "Error: This project requires a new program version (v130).");
  EXPECT_EQ(boxes[3].rfind("Error: ", 0), 0u);
  EXPECT_EQ(project().sprites.size(), 1u);
  EXPECT_EQ(window().status(), "STATUS: READY.");
}

TEST_F(ProjectCommandsTest, RunGame) {
  Start();
  NewScene(project());
  window().RunCommand(Command::RunGame);
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Message: Please save your game."});
  dialogs_.Drive(test::TypeName("my game"));
  window().RunCommand(Command::Save);
  dialogs_.Clear();

  // A browser on the PATH gets the page as one argument; running saves first.
  const std::string here = WorkingDirectory();
  MakeDirectory("bin");
  test::WriteAll("bin/x-www-browser", "#!/bin/sh\n");
  ::chmod("bin/x-www-browser", 0755);
  window().SetPathList(here + "bin");
  prefs().add_file_protocol = 1;
  NewSprite(project());
  window().RunCommand(Command::RunGame);
  EXPECT_TRUE(dialogs_.Boxes().empty());
  EXPECT_EQ(project().modified, 0);
  const std::string page = "file://" + here + "Projects/my game/index.html";
  EXPECT_EQ(launched_, Strings{here + "bin/x-www-browser " + page});
  // A browser that ends at once shows nothing, so the status line tells.
  EXPECT_EQ(window().status(),
            "WROTE index.html, game.js. OPENING " + page + " WITH x-www-browser.");

  launched_.clear();
  window().SetPathList(here + "nowhere");
  window().RunCommand(Command::RunGame);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].rfind("Message: No web browser could be started", 0), 0u);
  EXPECT_EQ(window().status(), "WROTE index.html, game.js. NO WEB BROWSER COULD BE STARTED.");

  // The user's own empty page, kept since pages are not generated.
  dialogs_.Clear();
  prefs().GenerateIndexHTML = 0;
  test::WriteAll("Projects/my game/index.html", "");
  window().SetPathList(here + "bin");
  window().RunCommand(Command::RunGame);
  EXPECT_EQ(dialogs_.Boxes(), Strings{std::string("Message: ") + kPageMissingMessage});
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(window().status(), "WROTE game.js.");
}

TEST_F(ProjectCommandsTest, ExportGameSavesGeneratesAndPacksTheGame) {
  Start();
  NewScene(project());
  // An unnamed project is named first, as Save does; cancelling the zip's
  // requester leaves the saved game alone.
  dialogs_.Drive(test::TypeName("demo")).Cancel();
  window().RunCommand(Command::ExportGame);
  EXPECT_EQ(project().projectname, "demo");
  EXPECT_TRUE(IsRegularFile("Projects/demo/game.js"));
  ASSERT_EQ(dialogs_.shown().back().kind, "save");
  EXPECT_EQ(dialogs_.shown().back().title, "Export game");
  EXPECT_EQ(dialogs_.shown().back().text, "Zip archives (*.zip)|*.zip|All files (*.*)|*.*");

  // The zip is written while a window shows how far it is; cancelling
  // there keeps the older zip.
  const auto run_to_end = [](QDialog& progress) {
    progress.show();
    EXPECT_TRUE(test::WaitFor([&] { return progress.isHidden(); }));
  };
  dialogs_.Clear();
  NewSprite(project());
  dialogs_.PickFile("out").Drive(run_to_end);
  window().RunCommand(Command::ExportGame);
  EXPECT_TRUE(dialogs_.Boxes().empty());
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

  // A file the game needs has gone: the user is told which, no zip is made.
  project().backgrounds.push_back({"bg_sky", "sky.png", nullptr});
  SetModified(project(), 1);
  dialogs_.PickFile("sky.zip").Drive(run_to_end);
  window().RunCommand(Command::ExportGame);
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Error: The game could not be exported: the file "
                                      "\"Projects/demo/img/sky.png\" the game needs is missing."});
  EXPECT_FALSE(FileExists("sky.zip"));
}

}  // namespace
}  // namespace vorlane
