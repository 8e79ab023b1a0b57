#include "editors/ui/font_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editors/ui/editor_dialogs.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

class FontDialogTest : public test::DialogTest {
 protected:
  void SetUp() override { project_.fonts = {{"title", "Georgia", 20, 1, 0}, {"body"}}; }
  void Drive(std::function<void(FontDialog&)> act) {
    dialogs_.Drive([act](QDialog& window) { act(static_cast<FontDialog&>(window)); });
  }
  Project project_;
};

TEST_F(FontDialogTest, FieldsShowTheRecordWhereTheLayoutSays) {
  Drive([](FontDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Font properties - title");
    EXPECT_EQ(dialog.size(), QSize(200, 300));
    EXPECT_EQ(dialog.name_field()->geometry(), QRect(10, 10, 120, 25));
    EXPECT_EQ(dialog.family_field()->geometry(), QRect(50, 45, 80, 25));
    EXPECT_EQ(dialog.size_field()->geometry(), QRect(50, 80, 80, 25));
    EXPECT_EQ(dialog.bold_box()->geometry(), QRect(50, 110, 50, 25));
    EXPECT_EQ(dialog.italic_box()->geometry(), QRect(50, 140, 50, 25));
    EXPECT_EQ(dialog.bold_box()->text(), "");
    Strings captions;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
      captions.push_back(label->text().toStdString() + " " + std::to_string(label->geometry().y()));
    EXPECT_EQ(captions, (Strings{"Family 50", "Size 85", "Bold 115", "Italic 145"}));
    EXPECT_EQ(dialog.family_field()->text(), "Georgia");
    EXPECT_EQ(dialog.size_field()->text(), "20");
    EXPECT_TRUE(dialog.bold_box()->isChecked());
    EXPECT_FALSE(dialog.italic_box()->isChecked());
    dialog.size_field()->setText("-7");  // only digits get in
    EXPECT_EQ(dialog.size_field()->text(), "7");
    dialog.italic_box()->setChecked(true);
    dialog.bold_box()->setChecked(false);
    dialog.family_field()->setText("Courier");
    dialog.done_button()->click();
  });
  EditFont(nullptr, project_, "title");
  EXPECT_EQ(project_.fonts[0], (Font{"title", "Courier", 7, 0, 1}));
  EXPECT_EQ(project_.modified, 1);
}

TEST_F(FontDialogTest, ARefusedSizeKeepsTheDialogButANewNameIsStoredAtOnce) {
  Drive([this](FontDialog& dialog) {
    dialog.name_field()->setText("caption");
    dialog.size_field()->setText("0");
    dialog.done_button()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(project_.fonts[1], (Font{.name = "caption"}));
    dialog.size_field()->setText("");
    dialog.family_field()->setText("Mono");
    dialog.done_button()->click();
    dialog.size_field()->setText("8");
    dialog.done_button()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  EditFont(nullptr, project_, "body");
  EXPECT_EQ(dialogs_.Boxes(),
            (Strings{"Error: The font size '0' is invalid", "Error: The font size '' is invalid"}));
  EXPECT_EQ(project_.fonts[1], (Font{"caption", "Mono", 8, 0, 0}));
}

}  // namespace
}  // namespace vorlane
