#include "app/ui/registered_dialogs.h"

#include <QTreeWidget>

#include "project/rename.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

namespace vorlane::test {
namespace {

class RegisteredDialogsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteAll("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");  // no look-up in a test
  }
};

// Every editor and the windows of the Game tab and the File menu open from
// the browser or their command. Left without a change ("Done", "OK" or
// "Cancel", code windows opened on the way included) they leave the project
// unmodified; a change marks it, a file chosen again under its own name too.
TEST_F(RegisteredDialogsTest, EditorsMarkTheProjectModifiedOnlyForAChange) {
  MainWindow& window = Start(RegisterDialogs);
  const std::string temp = project().tempfolder;
  project() = SampleProject();
  project().projectname = "";
  project().tempfolder = temp;
  WriteSampleMedia(temp);
  MakeDirectory("picked");
  WriteAll("picked/jump.wav", "RIFF again");
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
  using Script = std::function<void(ScriptedDialogs&)>;
  const Script done = [](auto& d) { d.Drive(Press("Done")); };
  const struct {
    std::optional<ResourceKind> kind;  // else the command: run instead of an editor
    Command command;
    Script script;
    int modified;
  } rows[] = {
      {ResourceKind::Sprite,
       {},
       [&](auto& d) { d.Drive(then_done(Press("Edit"))).Drive(Press("Done")); },
       0},
      {ResourceKind::Sound, {}, done, 0},
      {ResourceKind::Music, {}, done, 0},
      {ResourceKind::Background, {}, done, 0},
      {ResourceKind::Font, {}, done, 0},
      {ResourceKind::Object,
       {},
       [&](auto& d) { d.Drive(then_done(open_event)).Drive(Press("OK")); },
       0},
      {ResourceKind::Function, {}, done, 0},
      {ResourceKind::Scene,
       {},
       [&](auto& d) { d.Drive(then_done(Press("Scene code..."))).Drive(Press("OK")); },
       0},
      {{}, Command::EditGlobalVariables, [](auto& d) { d.Drive(Press("OK")); }, 0},
      {{}, Command::EditGlobalFunctions, [](auto& d) { d.Drive(Press("Cancel")); }, 0},
      {{}, Command::EditGameComments, [](auto& d) { d.Drive(Press("OK")); }, 0},
      {{}, Command::Preferences, [](auto& d) { d.Drive(Press("Cancel")); }, 0},
      {ResourceKind::Font,
       {},
       [&](auto& d) {
         d.Drive(then_done([](QDialog& f) { f.findChild<QLineEdit*>()->setText("fnt_new"); }));
       },
       1},
      {ResourceKind::Sound,
       {},
       [&](auto& d) { d.Drive(then_done(Press("Set WAV file..."))).PickFile("picked/jump.wav"); },
       1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    window.RefreshBrowser();
    SetModified(project(), 0);
    dialogs_.Clear();
    row.script(dialogs_);
    if (row.kind)
      window.OnBrowserDoubleClick(CardOf(*row.kind, ResourceName(project(), *row.kind, 0)));
    else
      window.RunCommand(row.command);
    EXPECT_TRUE(dialogs_.problems().empty());
    EXPECT_EQ(project().modified, row.modified);
  }
  dialogs_.Clear();
  window.RunCommand(Command::Extensions);  // needs a saved project
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>{"Message: Please save your project."});
}

}  // namespace
}  // namespace vorlane::test
