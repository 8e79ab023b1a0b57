// The main window's wiring: start-up, its menus, the resource browser, Help,
// About and Exit. What its decisions are is tested in tests/app.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>

#include "app/help_file.h"
#include "app/ui/about_window.h"
#include "app/ui/go_to_window.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/image_view.h"
#include "project/leftovers.h"
#include "project/reserved_names.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using MainWindowTest = test::MainWindowFixture;
using Strings = std::vector<std::string>;

// What a killed run left is cleaned up, the preferences are written before
// the version check reads them, the supplied files are read, and the window
// is ready: each menu item has its picture and the shortcuts are on.
TEST_F(MainWindowTest, StartUpLeavesTheProgramFolderReady) {
  test::WriteAll("keywords.dat", "!instance_create\nMakes an instance\nx, y, object\n");
  ProcessStamp killed = ThisProcess();
  killed.pid = ::fork();
  if (killed.pid == 0) ::_exit(0);
  ::waitpid(static_cast<pid_t>(killed.pid), nullptr, 0);
  MakeDirectory("_temp_101010");
  test::WriteAll(OwnerMarkerPath("_temp_101010"), OwnerMarkerText(killed));
  bool prefs_before_version_check = false;
  Start([&](MainWindow& window) {
    window.SetCommandHandler(Command::CheckVersionAtStartup, [&] {
      prefs_before_version_check = IsRegularFile("preferences.dat");
    });
  });
  EXPECT_TRUE(prefs_before_version_check);
  EXPECT_EQ(app_.session().engine_template, "//VORLANE_VERSION\n//VORLANE_SCENES\n");
  EXPECT_EQ(app_.session().keywords.front().name, "instance_create");
  EXPECT_TRUE(IsEngineName("instance_create"));  // no resource may take it
  EXPECT_FALSE(FileExists("_temp_101010"));
  EXPECT_TRUE(IsDirectory(project().tempfolder));
  EXPECT_EQ(window().windowTitle().toStdString(), "Vorlane v1.2.9");
  EXPECT_EQ(window().status(), "STATUS: READY.");
  QMenu* file = window().menuBar()->actions()[0]->menu();
  for (QAction* item : file->actions())
    EXPECT_TRUE(item->isSeparator() || !item->icon().isNull()) << item->text().toStdString();
  EXPECT_EQ(file->actions()[3]->shortcut(), QKeySequence("Ctrl+S"));
}

// A supplied file that cannot be read is named and the program starts all
// the same; a missing template is not a problem; nothing waits on a FIFO.
TEST_F(MainWindowTest, UnreadableSuppliedFilesAreSaid) {
  DeleteFile("export.js");
  ASSERT_EQ(::mkfifo("keywords.dat", 0600), 0);
  test::WriteAll("preferences.dat", "");
  ASSERT_EQ(::truncate("preferences.dat", 2 * kMaxSettingsFileBytes), 0);  // sparse
  Start();
  EXPECT_EQ(app_.session().engine_template, "");
  EXPECT_FALSE(app_.session().keywords.empty()) << "the built-in constants";
  EXPECT_EQ(dialogs_.Boxes(),
            Strings{"Warning: \"keywords.dat\" was not read: it is not a regular file.\n"
                    "\"preferences.dat\" was not read: it is larger than 1 MB, more than such a "
                    "file may hold."});
}

// Cards and their name labels sit where LayoutCards puts them for the
// panel's width; the add-new card does what the Resources menu does; the Game
// and Functions tabs' buttons reach their commands; the advanced mode box is
// the project's setting and marks it modified.
TEST_F(MainWindowTest, BrowserCardsAndTabButtons) {
  const std::vector<Command> buttons = {Command::EditGlobalVariables, Command::EditGlobalFunctions,
                                        Command::EditGameComments,    Command::Extensions,
                                        Command::ExportFunctions,     Command::ImportFunctions};
  std::vector<Command> ran;
  Strings edited;
  Start([&](MainWindow& window) {
    window.SetResourceEditor(ResourceKind::Function,
                             [&](const std::string& name) { edited.push_back(name); });
    for (Command c : buttons) window.SetCommandHandler(c, [&ran, c] { ran.push_back(c); });
  });
  for (int i = 0; i < 9; ++i) NewSprite(project());
  window().resize(900, 600);
  window().RefreshBrowser();
  CardGrid* grid = window().grid(ResourceKind::Sprite);
  const GridLayout layout = LayoutCards(9, window().BrowserPanelWidth());
  const int last = CardOf(ResourceKind::Sprite, project().sprites[8].name);
  EXPECT_EQ(grid->RectOf(last).topLeft(), QPoint(layout.cards[8].x, layout.cards[8].y));
  EXPECT_EQ(grid->TextOf(last + 1).toStdString(), project().sprites[8].name) << "its label";
  EXPECT_EQ(grid->height(), layout.height);

  CardGrid* functions = window().grid(ResourceKind::Function);
  const int add_new = window().browser_items().size() - 1;
  EXPECT_EQ(functions->TextOf(add_new).toStdString(), "Add a new function");
  emit functions->Clicked(add_new);
  window().RunCommand(Command::AddFunction);
  ASSERT_EQ(project().fns.size(), 2u);
  EXPECT_EQ(edited, (Strings{project().fns[0].name, project().fns[1].name}));
  EXPECT_EQ(window().tabs()->currentIndex(), 7);

  for (int i = 0; i < 4; ++i) window().game_button(i)->Click();
  for (const char* text : {"Export...", "Import..."})
    EXPECT_TRUE(ClickButton(*functions, text)) << text;
  EXPECT_EQ(ran, buttons);
  project().modified = 0;
  window().advanced_mode_box()->setChecked(true);
  EXPECT_EQ(project().settings.advancedscriptmode, 1);
  EXPECT_EQ(project().modified, 1);
  project().settings.advancedscriptmode = 0;
  window().RefreshBrowser();
  EXPECT_FALSE(window().advanced_mode_box()->isChecked());
}

// The popups reach their actions (Delete after asking), a double click opens
// the editor, and a label selects nothing, so a popup action then does nothing.
TEST_F(MainWindowTest, BrowserPopupsAndDoubleClick) {
  Strings edited;
  Start([&](MainWindow& window) {
    for (ResourceKind kind : {ResourceKind::Object, ResourceKind::Scene})
      window.SetResourceEditor(kind, [&](const std::string& name) { edited.push_back(name); });
  });
  const auto object = NewObject(project());
  const auto a = NewScene(project()), b = NewScene(project());
  window().RefreshBrowser();
  Choose(ResourceKind::Object, object, "Duplicate");
  EXPECT_GE(CardOf(ResourceKind::Object, object + "_dup"), 0) << "the browser was rebuilt";
  Choose(ResourceKind::Object, object, "Edit");
  window().OnBrowserDoubleClick(CardOf(ResourceKind::Scene, a));
  window().OnBrowserDoubleClick(CardOf(ResourceKind::Scene, a) + 1);  // a label
  EXPECT_EQ(edited, (Strings{object, a}));
  dialogs_.AnswerNo().AnswerYes();
  Choose(ResourceKind::Object, object, "Delete");
  Choose(ResourceKind::Object, object, "Delete");
  EXPECT_EQ(dialogs_.Boxes(), Strings(2, "Confirm: Do you really want to delete this object?"));
  EXPECT_EQ(CardOf(ResourceKind::Object, object), -1);

  const int first_card = CardOf(ResourceKind::Scene, a);
  Choose(ResourceKind::Scene, b, "Move backward");
  EXPECT_EQ(project().scenes[0].name, b);
  EXPECT_EQ(window().grid(ResourceKind::Scene)->TextOf(first_card + 1).toStdString(), b);
  Choose(ResourceKind::Scene, b, "Move forward");
  EXPECT_EQ(project().scenes[0].name, a);
  Choose(ResourceKind::Scene, a, "Move backward");  // nothing moves: no rebuild, still selected
  EXPECT_EQ(window().browser_items().SelectedItem(), CardOf(ResourceKind::Scene, a));

  window().OnBrowserRightClick(first_card + 1, QPoint());
  EXPECT_EQ(window().browser_items().SelectedItem(), -1);
  window().OnPopupAction(PopupAction::Delete);
  EXPECT_EQ(project().scenes.size(), 2u);
}

// Go to resource: typed letters list the matches, the arrow keys move in the
// list from the field, and Enter opens the chosen one on its tab.
TEST_F(MainWindowTest, GoToResourceOpensTheChosenOne) {
  Strings edited;
  Start([&](MainWindow& window) {
    for (ResourceKind kind : {ResourceKind::Object, ResourceKind::Scene})
      window.SetResourceEditor(kind, [&](const std::string& name) { edited.push_back(name); });
  });
  project().objects.push_back({1, "", "obj_player"});
  project().scenes.push_back({"scene_play"});
  Strings listed;
  dialogs_.Drive([&](QDialog& dialog) {
    auto& window = dynamic_cast<GoToWindow&>(dialog);
    window.field()->setText("pl");
    for (int r = 0; r < window.list()->count(); ++r)
      listed.push_back(window.list()->item(r)->text().toStdString());
    test::Key(window.field(), Qt::Key_Down, Qt::NoModifier);
    test::Key(window.field(), Qt::Key_Return, Qt::NoModifier);
  });
  window().RunCommand(Command::GoToResource);
  EXPECT_EQ(listed, (Strings{"obj_player    object", "scene_play    scene"}));
  EXPECT_EQ(edited, Strings{"scene_play"});
  EXPECT_EQ(window().tabs()->currentIndex(), static_cast<int>(ResourceKind::Scene));
}

// Help gives the manual to the browser as Run game gives the page, and says
// what cannot be shown; About closes on a click on its picture only.
TEST_F(MainWindowTest, HelpAndAbout) {
  Start();
  const std::string page = WorkingDirectory() + "manual/index.html";
  const std::string browser = InstallBrowser();
  window().RunCommand(Command::Help);
  MakeDirectory("manual");
  test::WriteAll("manual/index.html", "<html>");
  prefs().add_file_protocol = 1;
  window().RunCommand(Command::Help);
  window().SetPathList(WorkingDirectory() + "nowhere");
  prefs().add_file_protocol = 0;
  window().RunCommand(Command::Help);
  EXPECT_EQ(launched_, Strings{browser + " file://" + page});
  EXPECT_EQ(dialogs_.Boxes(), (Strings{"Message: " + ManualMissingMessage(page),
                                       "Message: " + NoBrowserMessage(page)}));

  DriveWindow<AboutWindow>("Vorlane v1.2.9", [](AboutWindow& about) {
    EXPECT_EQ(about.version_label()->text(), "version 1.2.9");
    EXPECT_FALSE(about.picture()->picture().isNull());
    emit about.picture()->Clicked();
    EXPECT_FALSE(about.isVisible());
  });
  window().RunCommand(Command::About);
}

// Answers the question about unsaved changes.
std::function<void(QDialog&)> SaveChanges(QMessageBox::StandardButton answer) {
  return [answer](QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Save the changes to the project before leaving?");
    box->button(answer)->click();
  };
}

// Unsaved changes are saved (Yes), dropped (No) or kept by staying (Cancel,
// or a Save that does not happen); without them the preference decides
// whether to ask. Leaving saves the preferences and removes the working folder.
TEST_F(MainWindowTest, ExitAsksAsThePreferenceAndUnsavedChangesSay) {
  Start();
  dialogs_.AnswerNo();
  EXPECT_FALSE(window().close());
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Confirm: Exit from Vorlane?"});
  EXPECT_TRUE(IsDirectory(project().tempfolder)) << "staying keeps the working folder";
  NewScene(project());
  dialogs_.Drive(SaveChanges(QMessageBox::Cancel));
  window().RunCommand(Command::Exit);
  dialogs_.Drive(SaveChanges(QMessageBox::Yes)).Drive(test::Press("Cancel"));
  window().RunCommand(Command::Exit);
  EXPECT_EQ(exits_, 0);
  dialogs_.Drive(SaveChanges(QMessageBox::Yes)).Drive(test::TypeName("demo"));
  project().imgfolder = "pictures";
  const std::string folder = project().tempfolder;
  EXPECT_TRUE(window().close());
  EXPECT_EQ(exits_, 1);
  EXPECT_FALSE(FileExists(folder));
  EXPECT_NE(test::ReadAll("preferences.dat").find("ImgFolder = pictures"), std::string::npos);
  const std::string saved = test::ReadAll("Projects/demo.xml");
  ASSERT_FALSE(saved.empty());

  dialogs_.Clear();
  prefs().ConfirmExit = 0;
  window().RunCommand(Command::Exit);  // nothing unsaved: no question
  NewScene(project());
  dialogs_.Drive(SaveChanges(QMessageBox::No));
  window().RunCommand(Command::Exit);
  EXPECT_EQ(dialogs_.shown().size(), 1u);
  EXPECT_EQ(exits_, 3);
  EXPECT_EQ(test::ReadAll("Projects/demo.xml"), saved) << "No leaves without saving";
}

}  // namespace
}  // namespace vorlane
