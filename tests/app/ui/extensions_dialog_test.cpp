#include "app/ui/extensions_dialog.h"

#include <QPlainTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

#include "generate/extensions.h"
#include "gui/file_util.h"
#include "gui/ui/controls.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class ExtensionsDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    MakeDirectory("Extensions");
    MakeDirectory("Projects");
    MakeDirectory("Projects/demo");
    test::WriteAll("Extensions/shake.tex",
                   "[EXTENSION]\nScreen shake\n[AUTHOR]\nAnn\n[DESCRIPTION]\nShakes.\n"
                   "[HELP]\nshake(n)\n[CODE]\nfunction shake(n) {}\n");
    test::WriteAll("Extensions/fade.tex", "[EXTENSION]\nFade\n[CODE]\nvar fade = 1;\n");
    test::WriteAll("Extensions/bare.tex", "[CODE]\nvar x;\n");
  }
};

QTreeWidgetItem* Row(ExtensionsDialog& dialog, const QString& name) {
  for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
    if (dialog.list()->topLevelItem(i)->text(0) == name) return dialog.list()->topLevelItem(i);
  return nullptr;
}

TEST_F(ExtensionsDialogTest, OkWritesExactlyTheTickedNames) {
  test::WriteAll("Projects/demo/extensions.dat", "fade\n");
  dialogs_.Drive([&](QDialog& window) {
    auto& dialog = static_cast<ExtensionsDialog&>(window);
    EXPECT_EQ(dialog.windowTitle(), "Installed extensions");
    EXPECT_EQ(Row(dialog, "Fade")->checkState(0), Qt::Checked);
    EXPECT_EQ(Row(dialog, "Screen shake")->checkState(0), Qt::Unchecked);
    dialog.list()->setCurrentItem(Row(dialog, "Screen shake"));
    EXPECT_EQ(dialog.info()->toPlainText().toStdString(),
              "NAME:Screen shake\nAUTHOR: Ann\n\nDESCRIPTION: \nShakes.\nHELP:\nshake(n)\n");
    // The unnamed extension's row shows nothing new.
    dialog.list()->setCurrentItem(Row(dialog, ""));
    EXPECT_NE(dialog.info()->toPlainText().indexOf("Screen shake"), -1);
    Row(dialog, "Screen shake")->setCheckState(0, Qt::Checked);
    Row(dialog, "")->setCheckState(0, Qt::Checked);
    ClickButton(dialog, "OK");
  });
  ShowExtensionsDialog(nullptr, "demo");
  std::vector<std::string> names = ReadEnabledExtensions("demo");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"bare", "fade", "shake"}));
}

TEST_F(ExtensionsDialogTest, LongNamesAndHelpColumnsAreShownWhole) {
  const QString name = "Platformer physics helpers for slopes";
  test::WriteAll("Extensions/physics.tex", "[EXTENSION]\n" + name.toStdString() +
                                               "\n[HELP]\nphysics_jump(object, height)     "
                                               "lets an object jump when it stands on ground\n");
  ExtensionsDialog dialog(nullptr, LoadExtensions("demo"));
  QTreeWidgetItem* row = Row(dialog, name);
  ASSERT_NE(row, nullptr);
  EXPECT_GT(dialog.list()->columnWidth(0), dialog.list()->fontMetrics().horizontalAdvance(name));
  EXPECT_EQ(row->toolTip(0), name);
  // Aligned help keeps its columns: fixed-width letters, lines never wrapped.
  EXPECT_TRUE(QFontInfo(dialog.info()->font()).fixedPitch());
  EXPECT_EQ(dialog.info()->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(ExtensionsDialogTest, UntickingAllLeavesAnEmptyFileAndCancelWritesNothing) {
  test::WriteAll("Projects/demo/extensions.dat", "fade\nshake\n");
  dialogs_.Drive([](QDialog& window) { ClickButton(window, "Cancel"); });
  ShowExtensionsDialog(nullptr, "demo");
  EXPECT_EQ(test::ReadAll("Projects/demo/extensions.dat"), "fade\nshake\n");

  dialogs_.Drive([](QDialog& window) {
    auto& dialog = static_cast<ExtensionsDialog&>(window);
    for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
      dialog.list()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    ClickButton(dialog, "OK");
  });
  ShowExtensionsDialog(nullptr, "demo");
  EXPECT_TRUE(IsRegularFile("Projects/demo/extensions.dat"));
  EXPECT_EQ(FileSize("Projects/demo/extensions.dat"), 0);
}

}  // namespace
}  // namespace vorlane
