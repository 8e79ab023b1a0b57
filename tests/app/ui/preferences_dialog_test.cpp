#include "app/ui/preferences_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "gui/ui/controls.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class PreferencesDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    LoadPreferences(prefs_);  // the file now holds the start-up values
    project_.imgfolder = prefs_.ImgFolder;
  }
  Preferences prefs_;
  Project project_;
};

QLineEdit* FieldAt(QWidget* page, int x, int y) {
  for (auto* field : page->findChildren<QLineEdit*>())
    if (field->x() == x && field->y() == y) return field;
  return nullptr;
}

TEST_F(PreferencesDialogTest, SaveStoresEverythingAndRenamesTheProjectFolders) {
  dialogs_.Drive([this](QDialog& window) {
    auto& dialog = static_cast<PreferencesDialog&>(window);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    EXPECT_EQ(FieldAt(dialog.tabs()->widget(0), 130, 220)->text(), "11");
    EXPECT_EQ(FieldAt(dialog.tabs()->widget(2), 130, 40)->text(), "aud");
    dialogs_.PickColor(Color{1, 2, 3, 255});
    // The "..." button right of the Text swatch.
    for (auto* button : dialog.tabs()->widget(0)->findChildren<QPushButton*>())
      if (button->x() == 240 && button->y() == 10) button->click();
    FieldAt(dialog.tabs()->widget(0), 130, 190)->setText("Mono Sans");
    FieldAt(dialog.tabs()->widget(0), 130, 220)->setText("14pt");
    for (auto* box : dialog.tabs()->widget(1)->findChildren<QCheckBox*>()) box->setChecked(!box->isChecked());
    FieldAt(dialog.tabs()->widget(2), 130, 10)->setText("pictures");
    FieldAt(dialog.tabs()->widget(2), 130, 40)->setText("");
    ClickButton(dialog, "Save");
  });
  Preferences expected = prefs_;
  expected.sci_color_fore = 1 + 2 * 256 + 3 * 65536;
  expected.sci_font_family = "Mono Sans";
  expected.sci_font_size = 14;
  expected.add_file_protocol = 1;
  expected.CheckProgramVersion = expected.GenerateIndexHTML = expected.ConfirmExit = 0;
  expected.ImgFolder = "pictures";
  expected.AudFolder = "";
  EXPECT_TRUE(ShowPreferencesDialog(nullptr, prefs_, project_));
  EXPECT_EQ(prefs_, expected);
  EXPECT_EQ(project_.imgfolder, "pictures");
  EXPECT_EQ(project_.audfolder, "");
  EXPECT_EQ(project_.modified, 1) << "the project's folders changed";
  Preferences reread;  // the file's own layout is the preferences test's
  LoadPreferences(reread);
  EXPECT_EQ(reread, expected);
}

TEST_F(PreferencesDialogTest, ShowsAndKeepsTheOpenProjectsFolders) {
  project_.imgfolder = "pics";
  project_.audfolder = "sfx";
  dialogs_.Drive([](QDialog& window) {
    auto& dialog = static_cast<PreferencesDialog&>(window);
    EXPECT_EQ(FieldAt(dialog.tabs()->widget(2), 130, 10)->text(), "pics");
    EXPECT_EQ(FieldAt(dialog.tabs()->widget(2), 130, 40)->text(), "sfx");
    ClickButton(dialog, "Save");
  });
  EXPECT_TRUE(ShowPreferencesDialog(nullptr, prefs_, project_));
  EXPECT_EQ(project_.imgfolder, "pics");
  EXPECT_EQ(project_.audfolder, "sfx");
  EXPECT_EQ(prefs_.ImgFolder, "pics");
  EXPECT_EQ(project_.modified, 0);
}

TEST_F(PreferencesDialogTest, CancelAndACancelledColourChangeNothing) {
  const std::string before = test::ReadAll("preferences.dat");
  const Preferences kept = prefs_;
  dialogs_.Drive([this](QDialog& window) {
    auto& dialog = static_cast<PreferencesDialog&>(window);
    dialogs_.Cancel();
    for (auto* button : dialog.tabs()->widget(0)->findChildren<QPushButton*>())
      if (button->x() == 540 && button->y() == 10) button->click();
    EXPECT_EQ(dialog.Form().values.sci_color_string, 12976326);
    dialog.close();   // the close box does not end the window
    dialog.reject();  // nor does Escape
    EXPECT_TRUE(dialog.isVisible() || !dialog.result());
    ClickButton(dialog, "Cancel");
  });
  EXPECT_FALSE(ShowPreferencesDialog(nullptr, prefs_, project_));
  EXPECT_EQ(prefs_, kept);
  EXPECT_EQ(test::ReadAll("preferences.dat"), before);
}

}  // namespace
}  // namespace vorlane
