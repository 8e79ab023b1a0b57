#include "app/ui/registered_dialogs.h"

#include <QTreeWidget>

#include "project/rename.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

namespace vorlane::test {
namespace {

using RegisteredDialogsTest = MainWindowFixture;

// Every editor and the windows of the Game tab and the File menu open from
// the browser or their command. Left without a change ("Done", "OK" or
// "Cancel", code windows opened on the way included) they leave the project
// unmodified; a change marks it, a file chosen again under its own name too.
TEST_F(RegisteredDialogsTest, EditorsMarkTheProjectModifiedOnlyForAChange) {
  MainWindow& window = Start([](MainWindow& window) {
    RegisterDialogs(window);
    window.SetCommandHandler(Command::CheckVersionAtStartup, [] {});  // no look-up in a test
  });
  const std::string temp = project().tempfolder;
  project() = SampleProject();
  project().projectname = "";
  project().tempfolder = temp;
  WriteSampleMedia(temp);
  MakeDirectory("picked");
  WriteAll("picked/jump.wav", "RIFF again");
  using Act = std::function<void(QDialog&)>;
  const auto then_done = [](Act act) {
    return [act](QDialog& dialog) {
      act(dialog);
      ClickButton(dialog, "Done");
    };
  };
  const auto open_event = [](QDialog& dialog) {
    QTreeWidget* events = dialog.findChild<QTreeWidget*>();
    emit events->itemDoubleClicked(events->topLevelItem(0), 0);
  };
  // Opens a window, answers it and what it opens in turn, checks the flag.
  const auto check = [&](const std::function<void()>& open, std::vector<Act> windows,
                         int modified) {
    window.RefreshBrowser();
    SetModified(project(), 0);
    dialogs_.Clear();
    for (const Act& act : windows) dialogs_.Drive(act);
    open();
    EXPECT_TRUE(dialogs_.problems().empty());
    EXPECT_EQ(project().modified, modified);
  };
  const auto edit = [&](ResourceKind kind) {
    return
        [&, kind] { window.OnBrowserDoubleClick(CardOf(kind, ResourceName(project(), kind, 0))); };
  };
  const std::pair<ResourceKind, std::vector<Act>> editors[] = {
      {ResourceKind::Sprite, {then_done(Press("Edit")), Press("Done")}},
      {ResourceKind::Sound, {Press("Done")}},
      {ResourceKind::Music, {Press("Done")}},
      {ResourceKind::Background, {Press("Done")}},
      {ResourceKind::Font, {Press("Done")}},
      {ResourceKind::Object, {then_done(open_event), Press("OK")}},
      {ResourceKind::Function, {Press("Done")}},
      {ResourceKind::Scene, {then_done(Press("Scene code...")), Press("OK")}},
  };
  for (const auto& [kind, windows] : editors) {
    SCOPED_TRACE(KindWord(kind));
    check(edit(kind), windows, 0);
  }
  for (const auto& [command, button] :
       {std::pair{Command::EditGlobalVariables, "OK"},
        std::pair{Command::EditGlobalFunctions, "Cancel"},
        std::pair{Command::EditGameComments, "OK"}, std::pair{Command::Preferences, "Cancel"}})
    check([&, command] { window.RunCommand(command); }, {Press(button)}, 0);
  check(edit(ResourceKind::Font),
        {then_done([](QDialog& d) { d.findChild<QLineEdit*>()->setText("fnt_new"); })}, 1);
  check(edit(ResourceKind::Sound), {then_done([this](QDialog& d) {
          dialogs_.PickFile("picked/jump.wav");
          ClickButton(d, "Set WAV file...");
        })},
        1);
  dialogs_.Clear();
  window.RunCommand(Command::Extensions);  // needs a saved project
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>{"Message: Please save your project."});
}

}  // namespace
}  // namespace vorlane::test
