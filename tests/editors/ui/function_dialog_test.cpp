#include "editors/ui/function_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "code/ui/code_editor.h"
#include "editors/ui/editor_dialogs.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

class FunctionDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    project_.fns = {{"lerp", "a, b, t", "Blends two values.", "return a + (b - a) * t;"},
                    {"clamp", "v", "", "return v;"}};
  }
  void Drive(std::function<void(FunctionDialog&)> act) {
    dialogs_.Drive([act](QDialog& window) { act(static_cast<FunctionDialog&>(window)); });
  }
  void Edit(const std::string& name) { EditFunction(nullptr, project_, prefs_, keywords_, name); }
  Project project_;
  Preferences prefs_;
  KeywordList keywords_;
};

TEST_F(FunctionDialogTest, DoneStoresNameParamsAndCode) {
  Drive([this](FunctionDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Function properties - lerp");
    EXPECT_EQ(dialog.size(), QSize(800, 600));
    EXPECT_EQ(dialog.params_field()->geometry(), QRect(215, 10, 300, 25));
    EXPECT_EQ(dialog.editor()->geometry(), QRect(10, 45, 780, 510));
    EXPECT_EQ(dialog.findChild<QLabel*>()->geometry(), QRect(140, 15, 60, 25));
    EXPECT_EQ(dialog.done_button()->geometry(), QRect(725, 565, 65, 25));
    EXPECT_EQ(dialog.params_field()->text(), "a, b, t");
    EXPECT_EQ(dialog.editor()->GetEditorText(), "return a + (b - a) * t;");
    dialog.name_field()->setText("clamp");
    dialog.done_button()->click();
    EXPECT_EQ(project_.modified, 0);  // a refused name changes nothing
    dialog.name_field()->setText("mix");
    dialog.params_field()->setText("x y");  // not checked
    dialog.editor()->SetEditorText("return x;\nreturn y;", false);
    dialog.done_button()->click();
  });
  Edit("lerp");
  EXPECT_EQ(dialogs_.Boxes(), Strings{"Error: The function name 'clamp' already exists"});
  EXPECT_EQ(project_.fns[0],
            (UserFunction{"mix", "x y", "Blends two values.", "return x;\nreturn y;"}));
  EXPECT_EQ(project_.modified, 1);
}

TEST_F(FunctionDialogTest, DeleteAsksAndYesDeletes) {
  Drive([](FunctionDialog& dialog) {
    dialog.delete_button()->click();  // No
    EXPECT_FALSE(dialog.deleted());
    dialog.done_button()->click();
  });
  dialogs_.AnswerNo();
  Edit("clamp");
  EXPECT_EQ(project_.fns.size(), 2u);
  Drive([](FunctionDialog& dialog) { dialog.delete_button()->click(); });
  dialogs_.AnswerYes();
  Edit("clamp");
  EXPECT_EQ(dialogs_.Boxes(), (Strings{"Confirm: Do you really want to delete this function?",
                                       "Confirm: Do you really want to delete this function?"}));
  ASSERT_EQ(project_.fns.size(), 1u);
  EXPECT_EQ(project_.fns[0].name, "lerp");
}

}  // namespace
}  // namespace vorlane
