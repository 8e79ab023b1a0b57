#include <QLabel>

#include "app/ui/open_project_dialog.h"
#include "app/ui/project_name_dialog.h"
#include "app/ui/stock_images.h"
#include "gui/file_util.h"
#include "gui/ui/image_view.h"
#include "ui_fixture.h"

namespace vorlane {
namespace {

class ProjectDialogsTest : public test::DialogTest {
 protected:
  void SetUp() override { LoadStockImages(); }
};

TEST_F(ProjectDialogsTest, NameDialogTakesTheTextAsTyped) {
  dialogs_.Drive([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Enter the project name");
    dialog.reject();  // Escape and the close button do nothing
    dialog.findChild<QLineEdit*>()->setText(" my game ");
    ClickButton(dialog, "OK");
  });
  EXPECT_EQ(AskProjectName(nullptr, "old"), " my game ");
  dialogs_.Drive(test::Press("Cancel"));
  EXPECT_EQ(AskProjectName(nullptr, "old"), "") << "Cancel gives no name";
}

TEST_F(ProjectDialogsTest, NameDialogSaysWhatToType) {
  ProjectNameDialog dialog(nullptr, "old");
  const QLabel* label = dialog.label();
  EXPECT_EQ(label->text(), "Project name:");
  EXPECT_EQ(label->buddy(), dialog.field());
  // On the field's line, before it, its text whole.
  EXPECT_EQ(label->y(), dialog.field()->y());
  EXPECT_LT(label->geometry().right(), dialog.field()->x());
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
  EXPECT_EQ(dialog.field()->geometry().right(), 389);
}

TEST_F(ProjectDialogsTest, OpenDialogListsPreviewsAndDates) {
  MakeDirectory("Projects");
  for (const char* name : {"alpha", "beta", "gamma"})
    test::WriteAll(std::string("Projects/") + name + ".xml", "<vorlane/>");
  Image preview = Image::Opaque(240, 240);
  preview.Fill(Color{10, 200, 30, 255});
  ASSERT_TRUE(SavePng(preview, "Projects/alpha.png"));
  test::WriteAll("Projects/gamma.png", "not a picture");

  dialogs_.Drive([](QDialog& dialog) {
    auto& open = static_cast<OpenProjectDialog&>(dialog);
    EXPECT_EQ(open.windowTitle(), "Open a project...");
    EXPECT_EQ(open.list()->count(), 3);
    auto select = [&](const char* name) {
      open.list()->setCurrentItem(open.list()->findItems(name, Qt::MatchExactly).front());
    };
    select("alpha");
    EXPECT_EQ(open.preview()->picture().toImage().pixelColor(5, 5), QColor(10, 200, 30));
    EXPECT_TRUE(open.started()->text().startsWith("Project started: 20"));
    select("beta");
    EXPECT_EQ(open.preview()->picture().toImage(), StockPixmap("no_preview").toImage());
    select("gamma");
    EXPECT_TRUE(open.preview()->picture().isNull()) << "a damaged preview leaves the area empty";
    open.list()->clearSelection();
    ClickButton(open, "Open");
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), "") << "Open with nothing selected";

  // The first row starts selected, with its details, and Open takes it.
  std::string first;
  dialogs_.Drive([&first](QDialog& dialog) {
    auto& open = static_cast<OpenProjectDialog&>(dialog);
    first = open.list()->item(0)->text().toStdString();
    EXPECT_EQ(open.list()->selectedItems(), QList{open.list()->item(0)});
    EXPECT_TRUE(open.started()->text().startsWith("Project started: 20"));
    ClickButton(open, "Open");
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), first);

  dialogs_.Drive([](QDialog& dialog) {
    auto& open = static_cast<OpenProjectDialog&>(dialog);
    emit open.list()->itemDoubleClicked(open.list()->findItems("beta", Qt::MatchExactly).front());
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), "beta");

  dialogs_.Cancel();
  EXPECT_EQ(ShowOpenDialog(nullptr), "");

  // An empty Projects folder opens nothing.
  for (const char* name : {"alpha", "beta", "gamma"})
    DeleteFile(std::string("Projects/") + name + ".xml");
  dialogs_.Drive([](QDialog& dialog) {
    EXPECT_EQ(static_cast<OpenProjectDialog&>(dialog).list()->count(), 0);
    ClickButton(dialog, "Open");
  });
  EXPECT_EQ(ShowOpenDialog(nullptr), "");
}

}  // namespace
}  // namespace vorlane
