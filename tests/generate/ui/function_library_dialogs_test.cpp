// The function library windows' wiring: their controls and buttons reach the
// library functions, whose results are function_library_test.cpp's business.
#include "generate/ui/function_library_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "generate/function_library.h"
#include "gui/ui/controls.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class FunctionLibraryDialogsTest : public test::DialogTest {
 protected:
  void SetUp() override {
    for (const char* name : {"clamp", "lerp", "sign"}) {
      NewFunction(project_);
      project_.fns.back().name = name;
    }
    project_.modified = 0;
  }
  Project project_;
};

TEST_F(FunctionLibraryDialogsTest, ExportWritesTheTickedFunctionsAndAsksBeforeReplacingAFile) {
  Project empty;
  ExportFunctions(nullptr, empty);
  EXPECT_EQ(dialogs_.Boxes(), std::vector<std::string>{"Message: There nothing to export."});
  dialogs_.Clear();
  test::WriteAll("lib.xml", "keep me");
  dialogs_.Drive([this](QDialog& window) {
    auto& dialog = static_cast<ExportFunctionsDialog&>(window);
    EXPECT_EQ(dialog.windowTitle(), "Select functions to export");
    ASSERT_EQ(dialog.boxes().size(), 3u);
    EXPECT_TRUE(dialog.boxes()[1]->isChecked());
    dialog.boxes()[1]->setChecked(false);
    dialog.author()->setText("Ann");
    dialog.description()->setPlainText("Maths");
    // A cancelled requester, or No to replacing the file, leaves the window
    // open and the file as it was; "lib" becomes lib.xml.
    dialogs_.Cancel();
    ClickButton(dialog, "Export");
    dialogs_.PickFile("lib").AnswerNo();
    ClickButton(dialog, "Export");
    EXPECT_EQ(test::ReadAll("lib.xml"), "keep me");
    dialogs_.PickFile("lib").AnswerYes();
    ClickButton(dialog, "Export");
  });
  ExportFunctions(nullptr, project_);
  EXPECT_EQ(test::ReadAll("lib.xml"),
            FunctionLibraryXml(project_, {true, false, true}, "Ann", "Maths"));
  EXPECT_EQ(dialogs_.Boxes(), (std::vector<std::string>{"Message: File exists. Overwrite?",
                                                        "Message: File exists. Overwrite?"}));
  EXPECT_EQ(dialogs_.shown()[1].kind + ": " + dialogs_.shown()[1].title,
            "save: Exporting functions...");
}

TEST_F(FunctionLibraryDialogsTest, ImportAppendsTheFunctionsOrSaysWhyNot) {
  ASSERT_TRUE(WriteFunctionLibrary("lib.xml", project_, {}, "", ""));
  dialogs_.Cancel();
  EXPECT_FALSE(ImportFunctions(nullptr, project_));
  EXPECT_EQ(project_.fns.size(), 3u);
  dialogs_.PickFile("lib.xml");
  EXPECT_TRUE(ImportFunctions(nullptr, project_));
  EXPECT_EQ(project_.fns.size(), 6u);
  EXPECT_EQ(project_.modified, 1);
  EXPECT_EQ(dialogs_.shown().back().title, "Select functions to import");

  test::WriteAll("bad.xml", "<not a library");
  dialogs_.PickFile("bad.xml");
  EXPECT_FALSE(ImportFunctions(nullptr, project_));
  EXPECT_EQ(project_.fns.size(), 6u);
  ASSERT_FALSE(dialogs_.Boxes().empty());
  EXPECT_EQ(dialogs_.Boxes().back().rfind("Error: ", 0), 0u);
}

}  // namespace
}  // namespace vorlane
