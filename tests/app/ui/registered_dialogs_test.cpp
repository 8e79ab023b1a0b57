#include "app/ui/registered_dialogs.h"

#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace vorlane::test {
namespace {

using RegisteredDialogsTest = MainWindowFixture;

// The commands of the Game tab, the File and Help menus reach their windows.
TEST_F(RegisteredDialogsTest, CommandsOpenTheirWindows) {
  // No look-up of the product's server at start-up in a test.
  WriteAll("preferences.dat", "[Misc]\nCheckProgramVersion = 0\n");
  MainWindow& window = Start(RegisterDialogs);
  EXPECT_TRUE(dialogs_.Boxes().empty());

  dialogs_.Drive(Press("Cancel"));
  EXPECT_TRUE(window.RunCommand(Command::Preferences));
  ASSERT_FALSE(dialogs_.shown().empty());
  EXPECT_EQ(dialogs_.shown().back().kind, "window");

  EXPECT_TRUE(window.RunCommand(Command::Extensions));
  EXPECT_EQ(dialogs_.Boxes().back(), "Message: Please save your project.");

  for (Command command : {Command::EditGlobalVariables, Command::EditGlobalFunctions,
                          Command::EditGameComments}) {
    dialogs_.Clear();
    dialogs_.Drive([](QDialog& dialog) {
      if (!ClickButton(dialog, "Cancel")) ClickButton(dialog, "OK");
    });
    EXPECT_TRUE(window.RunCommand(command));
    ASSERT_EQ(dialogs_.shown().size(), 1u);
    EXPECT_EQ(dialogs_.shown()[0].kind, "window");
  }
}

}  // namespace
}  // namespace vorlane::test
