#include "app/ui/registered_dialogs.h"

#include <QTreeWidget>

#include "app/ui/find_panel.h"
#include "code/ui/code_editor.h"
#include "code/ui/scintilla_messages.h"
#include "editors/ui/resource_dialog.h"
#include "project/project_file.h"
#include "project/rename.h"
#include "scene/ui/scene_editor.h"
#include "support/sample_project.h"
#include "ui_fixture.h"

namespace vorlane::test {
namespace {

class RegisteredDialogsTest : public MainWindowFixture {
 protected:
  // The main window with every window plugged in, on the sample project
  // (kept in the working folder the window made) with an empty history.
  MainWindow& StartOnSample() {
    MainWindow& window = Start([](MainWindow& window) {
      RegisterDialogs(window);
      window.SetCommandHandler(Command::CheckVersionAtStartup, [] {});  // no look-up in a test
    });
    const std::string temp = project().tempfolder;
    project() = SampleProject();
    project().tempfolder = temp;
    history().Reset();
    return window;
  }
};

// Every editor and the windows of the Game tab and the File menu open from
// the browser or their command. Left without a change ("Done", "OK" or
// "Cancel", code windows opened on the way included) they leave the project
// unmodified; a change marks it, a file chosen again under its own name too.
TEST_F(RegisteredDialogsTest, EditorsMarkTheProjectModifiedOnlyForAChange) {
  MainWindow& window = StartOnSample();
  project().projectname = "";
  WriteSampleMedia(project().tempfolder);
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
    history().MarkSaved();
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

// Every kind of change, made in the main window or in an editor since
// closed, is one step the Edit menu names, undoes and redoes to the same
// project file byte for byte; undo opens no window.
TEST_F(RegisteredDialogsTest, EveryChangeIsOneStepTheEditMenuUndoes) {
  MainWindow& window = StartOnSample();
  project().scenes.push_back({.name = "rm_last"});
  history().Reset();
  window.RefreshBrowser();
  const auto edit = [&](ResourceKind kind, const char* name, std::function<void(QDialog&)> act) {
    return [&, kind, name, act] {
      dialogs_.Drive(act);
      window.OnBrowserDoubleClick(CardOf(kind, name));
    };
  };
  const auto rename = [](const char* name) {
    return [name](QDialog& d) {
      auto* scene = dynamic_cast<SceneEditor*>(&d);
      (scene ? scene->name_field() : static_cast<ResourceDialog&>(d).name_field())->setText(name);
      ClickButton(d, "Done");
    };
  };
  const auto frame_step = [&](QDialog& d) {
    dialogs_.Drive([](QDialog& frames) {  // the frame editor: one step, then Done
      for (QAction* action : frames.findChildren<QAction*>())
        if (action->text().startsWith("Duplicate frame")) action->trigger();
      ClickButton(frames, "Done");
    });
    ClickButton(d, "Edit");
    ClickButton(d, "Done");
  };
  const std::pair<std::string, std::function<void()>> changes[] = {
      {"Turn on advanced scripting mode", [&] { window.advanced_mode_box()->click(); }},
      {"Duplicate object obj_wall", [&] { Choose(ResourceKind::Object, "obj_wall", "Duplicate"); }},
      {"Edit object obj_floor", edit(ResourceKind::Object, "obj_wall", rename("obj_floor"))},
      {"Scene settings", edit(ResourceKind::Scene, "level", rename("rm_first"))},
      {"Move scene rm_first forward",
       [&] { Choose(ResourceKind::Scene, "rm_first", "Move forward"); }},
      {"Duplicate frame", edit(ResourceKind::Sprite, "spr_hero", frame_step)},
      {"New font font_18",
       [&] { dialogs_.Drive(Press("Done")), window.RunCommand(Command::AddFont); }},
      {"Delete sprite spr_hero",
       [&] { dialogs_.AnswerYes(), Choose(ResourceKind::Sprite, "spr_hero", "Delete"); }},
  };
  const auto undo_item = [&] {
    for (QAction* action : window.findChildren<QAction*>())
      if (action->text().startsWith("Undo")) return action->text().toStdString();
    return std::string();
  };
  for (const auto& [text, change] : changes) {
    SCOPED_TRACE(text);
    const std::string before = ProjectXml(project());
    change();
    const std::string after = ProjectXml(project());
    ASSERT_NE(before, after);
    EXPECT_EQ(undo_item(), "Undo " + text + "\tCtrl + Z");
    window.RunCommand(Command::Undo);
    EXPECT_EQ(ProjectXml(project()), before);
    window.RunCommand(Command::Redo);
    EXPECT_EQ(ProjectXml(project()), after);
  }
  EXPECT_TRUE(dialogs_.problems().empty());
}

// A place reported before the scripts moved still opens the right script,
// found by its object and event, at the line; the edit is one step.
TEST_F(RegisteredDialogsTest, AScriptIsOpenedWhereverItMovedSince) {
  StartOnSample();
  const std::string object = "obj_wall";
  project().scripts[2].code = "x = 1;\ny = 2;\nz = 3;";
  std::string title;
  long line = -1;
  dialogs_.Drive([&](QDialog& dialog) {
    title = dialog.windowTitle().toStdString();
    auto* editor = dialog.findChild<CodeEditor*>();
    line = editor->Send(sci::LINEFROMPOSITION, editor->Send(sci::GETCURRENTPOS));
    editor->SetEditorText("x = 2;", false);
    dialog.accept();
  });
  window().OpenScriptAt({ScriptKind::Event, object, "Step", "", 0}, 2);  // 0: another script
  EXPECT_EQ(title, "Code editor - Step event of " + object);
  EXPECT_EQ(line, 1);
  EXPECT_EQ(project().scripts[2].code, "x = 2;");
  EXPECT_EQ(history().undo_text(), "Edit code of " + object + ", Step event");
}

// Scripts follow a rename in the rename's own step, or stay when the user
// keeps them; Find uses opens the code at the use.
TEST_F(RegisteredDialogsTest, ScriptsFollowARenameInItsStep) {
  MainWindow& window = StartOnSample();
  std::string& code = project().scripts[2].code;
  code = "x = 1;\nwith (obj_wall) y = 'obj_wall';";
  history().Reset();
  window.RefreshBrowser();
  const std::string before = ProjectXml(project());
  const auto rename = [&](const char* to, const char* answer) {
    dialogs_.Drive([to](QDialog& d) {
      static_cast<ResourceDialog&>(d).name_field()->setText(to);
      ClickButton(d, "Done");
    });
    dialogs_.Drive(Press(answer));
    window.OnBrowserDoubleClick(CardOf(ResourceKind::Object, "obj_wall"));
  };
  rename("obj_block", "Rename in code too");
  EXPECT_EQ(code, "x = 1;\nwith (obj_block) y = 'obj_wall';");
  window.RunCommand(Command::Undo);
  EXPECT_EQ(ProjectXml(project()), before);
  rename("obj_stone", "Only the resource");
  EXPECT_EQ(project().objects[ResourceIndex(project(), ResourceKind::Object, "obj_stone")].name,
            "obj_stone");
  EXPECT_EQ(code, "x = 1;\nwith (obj_wall) y = 'obj_wall';");
  window.RunCommand(Command::Undo);

  long line = -1;
  dialogs_.Drive([](QDialog& uses) {
    auto* list = uses.findChild<QTreeWidget*>();
    list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1));
    ClickButton(uses, "Open");
  });
  dialogs_.Drive([&](QDialog& dialog) {
    auto* editor = dialog.findChild<CodeEditor*>();
    line = editor->Send(sci::LINEFROMPOSITION, editor->Send(sci::GETCURRENTPOS));
    dialog.reject();
  });
  Choose(ResourceKind::Object, "obj_wall", "Find uses");
  EXPECT_EQ(line, 1);
  EXPECT_TRUE(dialogs_.problems().empty());
}

// Find in project lists the matches by script and line, opens the code with
// the match selected, and replaces them all after a preview, as one step.
TEST_F(RegisteredDialogsTest, FindInProjectOpensAndReplacesTheMatches) {
  MainWindow& window = StartOnSample();
  std::string& code = project().scripts[2].code;
  code = "x = 1;\nzork = zork + 1;";
  history().Reset();
  window.RunCommand(Command::FindInProject);
  FindPanel& panel = *window.find_panel();
  panel.field()->setText("zork");
  panel.RunPendingSearch();
  QTreeWidget& results = *panel.results();
  ASSERT_EQ(results.topLevelItemCount(), 1);
  QTreeWidgetItem& match = *results.topLevelItem(0)->child(1);
  EXPECT_EQ(results.topLevelItem(0)->text(0).toStdString(), "obj_wall, Step event");
  EXPECT_EQ(match.text(0).toStdString(), "2: zork = zork + 1;");
  EXPECT_EQ(panel.summary()->text().toStdString(), "2 matches in 1 script");

  long selected[2] = {-1, -1};
  dialogs_.Drive([&](QDialog& dialog) {
    auto* editor = dialog.findChild<CodeEditor*>();
    const long line = editor->Send(sci::POSITIONFROMLINE, 1);
    selected[0] = editor->Send(sci::GETSELECTIONSTART) - line;
    selected[1] = editor->Send(sci::GETSELECTIONEND) - line;
    dialog.reject();
  });
  emit results.itemActivated(&match, 0);
  EXPECT_EQ(selected[0], 7);  // the second "zork" of the line
  EXPECT_EQ(selected[1], 11);

  panel.replace_field()->setText("points");
  std::string preview;
  dialogs_.Drive([&](QDialog& dialog) {
    preview =
        dynamic_cast<ReplacePreviewWindow&>(dialog).list()->topLevelItem(0)->text(2).toStdString();
    ClickButton(dialog, "Replace");
  });
  panel.replace_button()->click();
  EXPECT_EQ(preview, "points = points + 1;");
  EXPECT_EQ(code, "x = 1;\npoints = points + 1;");
  EXPECT_EQ(results.topLevelItemCount(), 0);  // searched again
  window.RunCommand(Command::Undo);
  EXPECT_EQ(code, "x = 1;\nzork = zork + 1;");
  EXPECT_TRUE(dialogs_.problems().empty());
}

}  // namespace
}  // namespace vorlane::test
