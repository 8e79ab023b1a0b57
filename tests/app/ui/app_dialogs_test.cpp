// One wiring test per window of the main window's commands: Preferences,
// Extensions, the project name and Open dialogs and the version check's
// messages; and the rule that picks the code font.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/ui/extensions_dialog.h"
#include "app/ui/open_project_dialog.h"
#include "app/ui/preferences_dialog.h"
#include "app/ui/project_name_dialog.h"
#include "app/ui/stock_images.h"
#include "app/ui/version_check_ui.h"
#include "code/ui/code_editor.h"
#include "code/ui/script_setup.h"
#include "gui/ui/fonts.h"
#include "gui/ui/image_view.h"
#include "support/scripted_server.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

using AppDialogsTest = test::DialogTest;
using Strings = std::vector<std::string>;

// Every control reaches its setting and Save stores them all (the rules of
// storing are the preferences form's); Cancel and a cancelled colour change
// nothing.
TEST_F(AppDialogsTest, Preferences) {
  Preferences prefs;
  LoadPreferences(prefs);  // the file now holds the start-up values
  Project project;
  project.imgfolder = "pics";
  project.audfolder = "sfx";
  DriveWindow<PreferencesDialog>("Preferences", [this](PreferencesDialog& d) {
    for (int i = 1; i < d.tabs()->count(); ++i) {
      d.tabs()->setCurrentIndex(i);
      EXPECT_EQ(test::Clipped(d), Strings{}) << i;
    }
    const auto field = [&d](const QString& shown) {
      for (auto* f : d.findChildren<QLineEdit*>())
        if (f->text() == shown && !f->isReadOnly()) return f;
      ADD_FAILURE() << shown.toStdString();
      return new QLineEdit(&d);
    };
    field("Consolas")->setText("Mono Sans");
    field("11")->setText("14pt");
    field("pics")->setText("pictures");
    field("sfx")->setText("");
    for (auto* box : d.findChildren<QCheckBox*>()) box->setChecked(!box->isChecked());
    dialogs_.PickColor(Color{1, 2, 3, 255}).Cancel();
    FindButton(d, "...")->click();  // the Text colour
    FindButton(d, "...")->click();  // cancelled
    ClickButton(d, "Save");
  });
  Preferences expected = prefs;
  expected.sci_color_fore = 1 + 2 * 256 + 3 * 65536;
  expected.sci_font_family = "Mono Sans";
  expected.sci_font_size = 14;
  expected.add_file_protocol = 1;
  expected.CheckProgramVersion = expected.GenerateIndexHTML = expected.ConfirmExit = 0;
  expected.ImgFolder = "pictures";
  expected.AudFolder = "";
  EXPECT_TRUE(ShowPreferencesDialog(nullptr, prefs, project));
  EXPECT_EQ(prefs, expected);
  EXPECT_EQ(project.imgfolder + "|" + project.audfolder, "pictures|");

  const std::string file = test::ReadAll("preferences.dat");
  dialogs_.Drive([](QDialog& d) {
    static_cast<PreferencesDialog&>(d).findChild<QCheckBox*>()->setChecked(true);
    ClickButton(d, "Cancel");
  });
  EXPECT_FALSE(ShowPreferencesDialog(nullptr, prefs, project));
  EXPECT_EQ(prefs, expected);
  EXPECT_EQ(test::ReadAll("preferences.dat"), file);
}

QTreeWidgetItem* Row(ExtensionsDialog& dialog, const QString& name) {
  return dialog.list()->findItems(name, Qt::MatchExactly).value(0);
}

// The ticks show the project's list and OK writes exactly the ticked names,
// none when all are unticked; Cancel writes nothing. Names are shown whole,
// help in the code font, unwrapped, so aligned columns stay aligned.
TEST_F(AppDialogsTest, Extensions) {
  for (const char* folder : {"Extensions", "Projects", "Projects/demo"}) MakeDirectory(folder);
  const QString name = "Platformer physics helpers for slopes";
  test::WriteAll("Extensions/shake.tex",
                 "[EXTENSION]\n" + name.toStdString() + "\n[HELP]\nshake(n)     jumps\n");
  test::WriteAll("Extensions/fade.tex", "[EXTENSION]\nFade\n[CODE]\nvar fade = 1;\n");
  test::WriteAll("Projects/demo/extensions.dat", "fade\n");
  DriveWindow<ExtensionsDialog>("Installed extensions", [&](ExtensionsDialog& d) {
    EXPECT_EQ(Row(d, "Fade")->checkState(0), Qt::Checked);
    EXPECT_EQ(Row(d, name)->checkState(0), Qt::Unchecked);
    EXPECT_GT(d.list()->columnWidth(0), d.list()->fontMetrics().horizontalAdvance(name));
    EXPECT_EQ(Row(d, name)->toolTip(0), name);
    d.list()->setCurrentItem(Row(d, name));
    EXPECT_TRUE(d.info()->toPlainText().endsWith("HELP:\nshake(n)     jumps\n"));
    EXPECT_EQ(d.info()->font(), Fonts().code);
    EXPECT_EQ(d.info()->lineWrapMode(), QPlainTextEdit::NoWrap);
    Row(d, name)->setCheckState(0, Qt::Checked);
    Row(d, "Fade")->setCheckState(0, Qt::Unchecked);
    ClickButton(d, "OK");
  });
  ShowExtensionsDialog(nullptr, "demo");
  EXPECT_EQ(ReadEnabledExtensions("demo"), Strings{"shake"});
  const auto untick_all_and = [](const QString& button) {
    return [button](QDialog& d) {
      QTreeWidget* list = static_cast<ExtensionsDialog&>(d).list();
      for (int i = 0; i < list->topLevelItemCount(); ++i)
        list->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
      ClickButton(d, button);
    };
  };
  for (const char* button : {"Cancel", "OK"}) {
    dialogs_.Drive(untick_all_and(button));
    ShowExtensionsDialog(nullptr, "demo");
    EXPECT_EQ(test::ReadAll("Projects/demo/extensions.dat"), *button == 'O' ? "" : "shake\n");
  }
  EXPECT_TRUE(IsRegularFile("Projects/demo/extensions.dat"));
}

// The name as typed, Enter for OK, the field reached by its label's key.
TEST_F(AppDialogsTest, ProjectName) {
  DriveWindow<ProjectNameDialog>("Enter the project name", [](ProjectNameDialog& d) {
    EXPECT_EQ(d.field()->text(), "old");
    EXPECT_EQ(d.label()->buddy(), d.field());
    d.field()->setText(" my game ");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&d, &enter);
  });
  EXPECT_EQ(AskProjectName(nullptr, "old"), " my game ");
}

// Every project is listed with its preview and start date, the first one
// selected; Open or a double click takes the selection, Open without one
// gives nothing (Cancel is the Open command's test).
TEST_F(AppDialogsTest, OpenProject) {
  LoadStockImages();
  MakeDirectory("Projects");
  for (const char* name : {"alpha", "beta", "gamma"})
    test::WriteAll(std::string("Projects/") + name + ".xml", "<vorlane/>");
  Image preview = Image::Opaque(240, 240);
  preview.Fill(Color{10, 200, 30, 255});
  ASSERT_TRUE(SavePng(preview, "Projects/alpha.png"));
  test::WriteAll("Projects/gamma.png", "not a picture");
  const auto select = [](OpenProjectDialog& d, const char* name) {
    d.list()->setCurrentItem(d.list()->findItems(name, Qt::MatchExactly).front());
  };
  DriveWindow<OpenProjectDialog>("Open a project...", [&](OpenProjectDialog& d) {
    EXPECT_EQ(d.list()->count(), 3);
    EXPECT_EQ(d.list()->selectedItems(), QList{d.list()->item(0)});
    select(d, "alpha");
    EXPECT_EQ(d.preview()->picture().toImage().pixelColor(5, 5), QColor(10, 200, 30));
    EXPECT_TRUE(d.started()->text().startsWith("Project started: 20"));
    select(d, "beta");
    EXPECT_EQ(d.preview()->picture().toImage(), StockPixmap("no_preview").toImage());
    select(d, "gamma");
    EXPECT_TRUE(d.preview()->picture().isNull()) << "a damaged preview leaves the area empty";
    ClickButton(d, "Open");
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), "gamma");
  dialogs_.Drive([&](QDialog& window) {
    auto& d = static_cast<OpenProjectDialog&>(window);
    emit d.list()->itemDoubleClicked(d.list()->findItems("beta", Qt::MatchExactly).front());
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), "beta");
  dialogs_.Drive([](QDialog& d) {
    static_cast<OpenProjectDialog&>(d).list()->clearSelection();
    ClickButton(d, "Open");
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), "");
}

// Which answer gives which message is the version check test's; here: the
// start-up check speaks only of news and can be switched off, the menu's
// always answers.
TEST_F(AppDialogsTest, VersionCheckMessages) {
  Preferences prefs;
  const auto boxes = [&](const std::string& body, bool at_start) {
    test::ScriptedServer server({{0, "HTTP/1.1 200 OK\r\n\r\n" + body}});
    const VersionServer where{"127.0.0.1", server.port(), {}};
    dialogs_.Clear();
    if (at_start)
      CheckNewVersionAtStartup(nullptr, prefs, where);
    else
      CheckNewVersion(nullptr, where);
    return dialogs_.Boxes();
  };
  EXPECT_EQ(boxes("129", true), Strings{});
  EXPECT_EQ(boxes("129", false), Strings{"Version information: You are using the latest version."});
  EXPECT_EQ(boxes("130", true), Strings{"Version information: A new version has been released."});
  prefs.CheckProgramVersion = 0;
  test::ScriptedServer server({{0, "HTTP/1.1 200 OK\r\n\r\n130"}});
  CheckNewVersionAtStartup(nullptr, prefs, {"127.0.0.1", server.port(), {}});
  EXPECT_TRUE(server.request().empty()) << "no connection was made";
}

// Code is shown in the family asked for when the machine has it, else in
// its first fixed-pitch family, else in the desktop's fixed font; every code
// font of the program follows the rule.
TEST(CodeFontTest, TheWantedFamilyElseAFixedPitchOne) {
  const std::vector<InstalledFamily> fonts = {{"Arial", false},
                                              {"Noto Mono", false},
                                              {"DejaVu Sans Mono", true},
                                              {"Liberation Mono", true}};
  EXPECT_EQ(PickCodeFamily("Consolas", fonts, "Monospace"), "DejaVu Sans Mono");
  EXPECT_EQ(PickCodeFamily("liberation mono", fonts, "Monospace"), "Liberation Mono");
  EXPECT_EQ(PickCodeFamily("Arial", fonts, "Monospace"), "Arial") << "the user's own choice";
  EXPECT_EQ(PickCodeFamily("Consolas", {{"Arial", false}}, "Monospace"), "Monospace");
  test::QtApp();
  EXPECT_EQ(Fonts().code.family().toStdString(), CodeFamily("Consolas"));
  CodeEditor editor;  // the preferences' family, when the machine lacks it
  Preferences prefs;
  prefs.sci_font_family = "No Such Family";
  SetupScriptStyling(editor, prefs, Project{}, KeywordList{});
  char family[256] = {};
  editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, 0ul, static_cast<void*>(family));
  EXPECT_EQ(family, CodeFamily("No Such Family"));
}

}  // namespace
}  // namespace vorlane
