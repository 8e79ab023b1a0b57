#include "editors/ui/resource_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "gui/ui/controls.h"
#include "project/rename.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

// The smallest kind: "Done" checks the name and renames.
class FontNameDialog : public ResourceDialog {
 public:
  FontNameDialog(Project& project, int index)
      : ResourceDialog(nullptr, project, ResourceKind::Font, index, "Font properties - ", 200, 300,
                       120) {}

 protected:
  std::vector<std::string> Done() override {
    const std::string error = CheckResourceName(project_, kind_, name_text(), index_);
    if (!error.empty()) return {error};
    RenameResource(project_, kind_, index_, name_text());
    return {};
  }
};

class ResourceDialogTest : public test::DialogTest {
 protected:
  Project project_;
  void SetUp() override {
    project_.fonts = {{.name = "title"}, {.name = "body"}, {.name = "title"}};
  }
  void Edit(const std::string& name) {
    EditEveryNamed(project_, ResourceKind::Font, name,
                   [this](int index) { return std::make_unique<FontNameDialog>(project_, index); });
  }
};

TEST_F(ResourceDialogTest, DoneShowsEachErrorAndEndsOnlyWhenValid) {
  dialogs_.Drive([](QDialog& window) {
    auto& dialog = static_cast<ResourceDialog&>(window);
    EXPECT_EQ(dialog.windowTitle(), "Font properties - body");
    EXPECT_EQ(dialog.name_field()->geometry(), QRect(10, 10, 120, 25));
    EXPECT_EQ(dialog.done_button()->geometry(), QRect(125, 265, 65, 25));
    EXPECT_EQ(dialog.delete_button()->geometry(), QRect(10, 265, 65, 25));
    dialog.reject();  // Escape and the close button
    dialog.close();
    dialog.name_field()->setText("title");
    dialog.done_button()->click();
    dialog.name_field()->setText("");
    dialog.done_button()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.name_field()->setText("small");
    dialog.done_button()->click();
  });
  Edit("body");
  EXPECT_EQ(dialogs_.Boxes(),
            (std::vector<std::string>{"Error: The font name 'title' already exists",
                                      "Error: The font name is missing"}));
  EXPECT_EQ(project_.fonts[1].name, "small");
}

TEST_F(ResourceDialogTest, EveryRecordOfTheNameIsEditedAndDeleteAsksFirst) {
  std::vector<std::string> titles;
  const auto title = [&titles](QDialog& window) {
    titles.push_back(window.windowTitle().toStdString());
    return &static_cast<ResourceDialog&>(window);
  };
  dialogs_
      .Drive([&](QDialog& window) {
        ResourceDialog* dialog = title(window);
        dialog->delete_button()->click();  // answered No: nothing happens
        dialog->name_field()->setText("heading");
        dialog->done_button()->click();
      })
      .AnswerNo()
      .Drive([&](QDialog& window) { title(window)->delete_button()->click(); })
      .AnswerYes();
  Edit("title");
  EXPECT_EQ(titles,
            (std::vector<std::string>{"Font properties - title", "Font properties - title"}));
  EXPECT_EQ(dialogs_.Boxes(),
            (std::vector<std::string>{"Confirm: Do you really want to delete this font?",
                                      "Confirm: Do you really want to delete this font?"}));
  ASSERT_EQ(project_.fonts.size(), 2u);
  EXPECT_EQ(project_.fonts[0].name, "heading");
  EXPECT_EQ(project_.fonts[1].name, "body");
  EXPECT_EQ(project_.modified, 1);
}

TEST(DigitsField, TakesOnlyDigitsTypedPastedOrPreset) {
  test::QtApp();
  QWidget window;
  QLineEdit* field = MakeDigitsField(&window, "-12a", 0, 0, 50, 25);
  EXPECT_EQ(field->text(), "12");
  field->setText("");
  field->insert("-5");
  EXPECT_EQ(field->text(), "5");
  field->insert("x7");
  EXPECT_EQ(field->text(), "57");
}

}  // namespace
}  // namespace vorlane
