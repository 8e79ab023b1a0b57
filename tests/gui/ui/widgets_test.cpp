#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <tuple>

#include "gui/ui/action_registry.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/controls.h"
#include "gui/ui/image_view.h"
#include "gui/ui/picture_list.h"
#include "gui/ui/progress_window.h"
#include "gui/ui/scripted_dialogs.h"
#include "gui/ui/window_timer.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

class WidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::QtApp(); }
};

TEST_F(WidgetsTest, ScriptedDialogsAnswerInOrderAndRecordEverything) {
  ScriptedDialogs script;
  EXPECT_EQ(&Dialogs(), &script);
  script.AnswerYes().AnswerNo().PickFile("a.png").Cancel().PickColor(Color{1, 2, 3, 255});
  script.PickFont(FontChoice{"Mono", 9, true, false});
  Dialogs().Message(nullptr, "Warning", "There is no scene added.");
  EXPECT_TRUE(Dialogs().AskYesNo(nullptr, "Confirm", "Sure?"));
  EXPECT_FALSE(Dialogs().AskYesNo(nullptr, "Confirm", "Really?"));
  FileRequest request{"Load a picture", "PNG Images (*.png)|*.png", 0, "", ""};
  EXPECT_EQ(Dialogs().OpenFile(nullptr, request), "a.png");
  EXPECT_EQ(Dialogs().SaveFile(nullptr, request), "");
  Color color;
  EXPECT_TRUE(Dialogs().ChooseColor(nullptr, Color{}, &color));
  EXPECT_EQ(color, (Color{1, 2, 3, 255}));
  FontChoice font;
  EXPECT_TRUE(Dialogs().ChooseFont(nullptr, FontChoice{}, &font));
  EXPECT_EQ(font, (FontChoice{"Mono", 9, true, false}));
  EXPECT_EQ(script.Boxes(), (std::vector<std::string>{"Warning: There is no scene added.",
                                                      "Confirm: Sure?", "Confirm: Really?"}));
  EXPECT_EQ(script.shown()[3],
            (ScriptedDialogs::Shown{"open", "Load a picture", "PNG Images (*.png)|*.png"}));
  EXPECT_TRUE(script.problems().empty());

  // Nothing or the wrong thing queued: the safe answer, and a problem for
  // the test to see; so is an answer never used.
  EXPECT_FALSE(Dialogs().AskYesNo(nullptr, "Confirm", "Delete?"));
  script.PickFile("x");
  EXPECT_FALSE(Dialogs().AskYesNo(nullptr, "Confirm", "Delete?"));
  script.AnswerYes();
  EXPECT_EQ(script.problems().size(), 3u);
  {
    ScriptedDialogs inner;
    EXPECT_EQ(&Dialogs(), &inner);
  }
  EXPECT_EQ(&Dialogs(), &script);
}

TEST_F(WidgetsTest, ScriptedDialogsDriveOurOwnWindows) {
  ScriptedDialogs script;
  QDialog dialog;
  dialog.setWindowTitle("Enter the project name");
  auto* field = MakeTextField(&dialog, "", 10, 10, 380, 25);
  QObject::connect(MakeButton(&dialog, "OK", 290, 65, 100, 25), &QPushButton::clicked, &dialog,
                   &QDialog::accept);
  script.Drive([](QDialog& d) {
    d.findChild<QLineEdit*>()->setText("demo");
    EXPECT_TRUE(ClickButton(d, "OK"));
    EXPECT_FALSE(ClickButton(d, "No such button"));
  });
  EXPECT_EQ(Dialogs().Exec(dialog), QDialog::Accepted);
  EXPECT_EQ(field->text(), "demo");
  script.Cancel();
  EXPECT_EQ(Dialogs().Exec(dialog), QDialog::Rejected);
  EXPECT_EQ(Dialogs().Exec(dialog), QDialog::Rejected) << "no answer: closed at once";
  EXPECT_EQ(script.problems().size(), 1u);
  EXPECT_EQ(script.shown().back(), (ScriptedDialogs::Shown{"window", "Enter the project name", ""}));
}

TEST_F(WidgetsTest, ImagesReachTheScreenUnchanged) {
  Image rgba = Image::Transparent(3, 2);
  rgba.Plot(0, 0, Color{255, 0, 0, 255});
  rgba.Plot(2, 1, Color{10, 20, 30, 128});
  const QImage q = ToQImage(rgba);
  ASSERT_EQ(q.size(), QSize(3, 2));
  EXPECT_EQ(q.pixelColor(0, 0), QColor(255, 0, 0, 255));
  EXPECT_EQ(q.pixelColor(2, 1), QColor(10, 20, 30, 128));
  EXPECT_EQ(q.pixelColor(1, 0).alpha(), 0);
  const QImage opaque = ToQImage(Image::Opaque(2, 2));
  EXPECT_FALSE(opaque.hasAlphaChannel());
  EXPECT_EQ(opaque.pixelColor(1, 1), QColor(0, 0, 0));
  EXPECT_TRUE(ToQImage(Image()).isNull());
}

TEST_F(WidgetsTest, CardGridFindsEntriesAndPaints) {
  CardGrid grid;
  grid.resize(400, 300);
  grid.AddPicture(0, QRect(10, 60, 150, 100), ShareImage(Image::Opaque(150, 100)), "sprite_2");
  grid.AddLabel(1, QRect(10, 165, 150, 20), "sprite_2");
  grid.AddPicture(2, QRect(170, 60, 150, 100), nullptr);
  EXPECT_EQ(grid.count(), 3);
  for (auto [x, y, id] : {std::tuple{10, 60, 0}, {159, 159, 0}, {160, 60, -1}, {20, 170, 1},
                          {200, 100, 2}})
    EXPECT_EQ(grid.IdAt(QPoint(x, y)), id) << x << "," << y;
  EXPECT_EQ(grid.RectOf(1), QRect(10, 165, 150, 20));
  EXPECT_TRUE(grid.RectOf(7).isEmpty());
  EXPECT_EQ(grid.TextOf(1), "sprite_2");
  grid.SetHighlighted(0);
  EXPECT_FALSE(grid.grab().isNull());  // entries without pictures paint too
  grid.Clear();
  EXPECT_EQ(grid.IdAt(QPoint(10, 60)), -1);
}

TEST_F(WidgetsTest, ActionTableBuildsMenusToolbarAndShortcuts) {
  QWidget window;
  QMenuBar bar(&window);
  ActionRegistry registry(&window);
  registry.BuildMenuBar(&bar, {{1, "File", "New\tCtrl + N", "Ctrl+N", "document-new", ""},
                               {-1, "File", "", "", "", ""},
                               {2, "File", "Exit\tCtrl + X", "Ctrl+X", "", ""},
                               {3, "Help", "About", "", "", ""}});
  ASSERT_EQ(bar.actions().size(), 2);
  QMenu* file = bar.actions()[0]->menu();
  ASSERT_EQ(file->actions().size(), 3);
  EXPECT_TRUE(file->actions()[1]->isSeparator());
  EXPECT_TRUE(registry.action(1)->shortcut().isEmpty()) << "shortcuts wait for EnableShortcuts";
  registry.EnableShortcuts();
  EXPECT_EQ(registry.action(1)->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(registry.action(99), nullptr);

  int news = 0;
  EXPECT_FALSE(registry.Trigger(1));
  registry.SetHandler(1, [&] { ++news; });
  registry.action(1)->trigger();
  auto buttons = registry.BuildToolbar(
      &window, {{1, 10, 10, 25, 25, "New game", ""}, {5, 100, 10, 50, 25, "Run game", ""}});
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0]->toolTip(), "New game");
  buttons[0]->click();
  buttons[1]->click();  // no handler: nothing happens
  EXPECT_EQ(news, 2);
}

TEST_F(WidgetsTest, NameListsShowLongNamesWhole) {
  QWidget window;
  auto* list = new PictureList(&window);
  list->setGeometry(0, 0, 60, 25);
  const QString name = "obj_collectible_with_a_long_name";
  list->Fill({{QIcon(), "x"}, {QIcon(), name}}, name);
  window.show();
  EXPECT_EQ(list->toolTip(), name);
  list->showPopup();
  EXPECT_GE(list->view()->width(), list->view()->fontMetrics().horizontalAdvance(name));
  EXPECT_EQ(list->itemData(1, Qt::ToolTipRole).toString(), name);
  list->hidePopup();
}

TEST_F(WidgetsTest, TimersStopWithTheirWindow) {
  int ticks = 0;
  auto* window = new QWidget;
  WindowTimer timer(window, 5, [&] { ++ticks; });
  timer.Start();
  EXPECT_TRUE(test::WaitFor([&] { return ticks > 1; }));
  delete window;  // takes the timer with it; the WindowTimer must cope
  EXPECT_FALSE(timer.running());
  timer.Start();

  // Delayed work of a closed window is dropped; work queued after it with
  // the same delay still runs, so the first had its chance.
  int dropped = 0, done = 0;
  auto* closed = new QWidget;
  QWidget open;
  AfterDelay(closed, 1, [&] { ++dropped; });
  delete closed;
  AfterDelay(&open, 1, [&] { ++done; });
  EXPECT_TRUE(test::WaitFor([&] { return done == 1; }));
  EXPECT_EQ(dropped, 0);
}

// The work runs while the window is open; Cancel stops it, and the window
// waits for it before closing.
TEST_F(WidgetsTest, ProgressWindowClosesWhenItsWorkEnds) {
  const struct {
    ProgressWindow::Work work;
    bool cancel;
    int result;
  } cases[] = {
      {[](const ProgressWindow::GoOn& go_on) { go_on(1); }, false, QDialog::Accepted},
      {[](const ProgressWindow::GoOn& go_on) {
         while (go_on(0.5)) std::this_thread::yield();
       },
       true, QDialog::Rejected},
  };
  for (const auto& c : cases) {
    ProgressWindow window(nullptr, "Export game", "Exporting the game to x.zip...", c.work);
    window.show();
    if (c.cancel) {
      EXPECT_TRUE(ClickButton(window, "Cancel"));
    }
    EXPECT_TRUE(test::WaitFor([&] { return window.isHidden(); }));
    EXPECT_EQ(window.result(), c.result);
  }
}

}  // namespace
}  // namespace vorlane
