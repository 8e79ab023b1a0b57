#include "app/ui/registered_dialogs.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include "app/browser_model.h"
#include "gui/file_util.h"
#include "project/rename.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

namespace vorlane::test {
namespace {

using RegisteredDialogsTest = MainWindowFixture;

// The commands of the Game tab, the File and Help menus reach their windows.
TEST_F(RegisteredDialogsTest, CommandsOpenTheirWindows) {
  // No look-up of the product's server at start-up in a test.
  WriteAll("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  MainWindow& window = Start(RegisterDialogs);
  EXPECT_TRUE(dialogs_.Boxes().empty());

  dialogs_.Drive(Press("Cancel"));
  EXPECT_TRUE(window.RunCommand(Command::Preferences));
  ASSERT_FALSE(dialogs_.shown().empty());
  EXPECT_EQ(dialogs_.shown().back().kind, "window");

  EXPECT_TRUE(window.RunCommand(Command::Extensions));
  EXPECT_EQ(dialogs_.Boxes().back(), "Message: Please save your project.");

  for (Command command : {Command::EditGlobalVariables, Command::EditGlobalFunctions,
                          Command::EditGameComments}) {
    dialogs_.Clear();
    dialogs_.Drive([](QDialog& dialog) {
      if (!ClickButton(dialog, "Cancel")) ClickButton(dialog, "OK");
    });
    EXPECT_TRUE(window.RunCommand(command));
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].kind, "window");
  }
}

// An editor left without a change ("Done", "OK" or "Cancel", code windows
// opened on the way included) leaves the project unmodified; a change marks
// it, a file chosen again under its own name included.
TEST_F(RegisteredDialogsTest, EditorsMarkTheProjectModifiedOnlyForAChange) {
  WriteAll("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  MainWindow& window = Start(RegisterDialogs);
  const std::string temp = project().tempfolder;
  project() = SampleProject();
  project().projectname = "";
  project().tempfolder = temp;
  WriteSampleMedia(temp);
  MakeDirectory("picked");
  WriteAll("picked/jump.wav", "RIFF again");
  const auto done = Press("Done");
  const auto then_done = [](std::function<void(QDialog&)> act) {
    return [act](QDialog& dialog) {
      act(dialog);
      ClickButton(dialog, "Done");
    };
  };
  const auto open_event = [](QDialog& dialog) {
    QTreeWidget* events = dialog.findChild<QTreeWidget*>();
    emit events->itemDoubleClicked(events->topLevelItem(0), 0);
  };
  const auto rename = [](QDialog& dialog) { dialog.findChild<QLineEdit*>()->setText("fnt_new"); };
  struct Row {
    ResourceKind kind;
    std::optional<Command> command;  // run instead of the kind's editor
    std::function<void(ScriptedDialogs&)> script;
    int modified;
  };
  const std::vector<Row> rows = {
      {ResourceKind::Sprite,
       {},
       [&](auto& d) { d.Drive(then_done(Press("Edit"))).Drive(done); },
       0},
      {ResourceKind::Sound, {}, [&](auto& d) { d.Drive(done); }, 0},
      {ResourceKind::Music, {}, [&](auto& d) { d.Drive(done); }, 0},
      {ResourceKind::Background, {}, [&](auto& d) { d.Drive(done); }, 0},
      {ResourceKind::Font, {}, [&](auto& d) { d.Drive(done); }, 0},
      {ResourceKind::Object,
       {},
       [&](auto& d) { d.Drive(then_done(open_event)).Drive(Press("OK")); },
       0},
      {ResourceKind::Function, {}, [&](auto& d) { d.Drive(done); }, 0},
      {ResourceKind::Scene,
       {},
       [&](auto& d) { d.Drive(then_done(Press("Scene code..."))).Drive(Press("OK")); },
       0},
      {{}, Command::EditGlobalVariables, [](auto& d) { d.Drive(Press("OK")); }, 0},
      {{}, Command::EditGlobalFunctions, [](auto& d) { d.Drive(Press("Cancel")); }, 0},
      {{}, Command::EditGameComments, [](auto& d) { d.Drive(Press("OK")); }, 0},
      {ResourceKind::Font, {}, [&](auto& d) { d.Drive(then_done(rename)); }, 1},
      {ResourceKind::Sound,
       {},
       [&](auto& d) { d.Drive(then_done(Press("Set WAV file..."))).PickFile("picked/jump.wav"); },
       1},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const Row& row = rows[i];
    window.RefreshBrowser();
    SetModified(project(), 0);
    dialogs_.Clear();
    row.script(dialogs_);
    if (row.command) {
      window.RunCommand(*row.command);
    } else {
      const std::string name = ResourceName(project(), row.kind, 0);
      for (const auto& item : window.browser_items().items())
        if (item.kind == InfoOf(row.kind).tab && item.name == name)
          window.OnBrowserDoubleClick(item.control);
    }
    EXPECT_TRUE(dialogs_.problems().empty());
    EXPECT_EQ(project().modified, row.modified);
  }
}

}  // namespace
}  // namespace vorlane::test
