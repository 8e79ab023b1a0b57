#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <string>

#include "gui/ui/action_registry.h"
#include "gui/ui/canvas.h"
#include "gui/ui/card_grid.h"
#include "gui/ui/controls.h"
#include "gui/ui/file_filter.h"
#include "gui/ui/image_view.h"
#include "gui/ui/picture_list.h"
#include "gui/ui/progress_window.h"
#include "gui/ui/scripted_dialogs.h"
#include "gui/ui/window_timer.h"
#include "support/qt_app.h"

namespace vorlane {
namespace {

using Strings = std::vector<std::string>;

class WidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::QtApp(); }
};

// The tests' stand-in for every box and requester answers in order and
// records what was shown; a missing, wrong or unused answer is a problem the
// test sees; our own windows are driven, or closed at once without an answer.
TEST_F(WidgetsTest, ScriptedDialogsAnswerInOrderAndRecordEverything) {
  ScriptedDialogs script;
  script.AnswerYes().PickFile("a.png");
  Dialogs().Message(nullptr, "Warning", "There is no scene added.");
  EXPECT_TRUE(Dialogs().AskYesNo(nullptr, "Confirm", "Sure?"));
  EXPECT_EQ(Dialogs().OpenFile(nullptr, {"Load", "PNG (*.png)|*.png", 0, "", ""}), "a.png");
  EXPECT_EQ(script.Boxes(),
            (std::vector<std::string>{"Warning: There is no scene added.", "Confirm: Sure?"}));
  EXPECT_EQ(script.shown()[2], (ScriptedDialogs::Shown{"open", "Load", "PNG (*.png)|*.png"}));
  EXPECT_TRUE(script.problems().empty());
  EXPECT_FALSE(Dialogs().AskYesNo(nullptr, "Confirm", "Delete?"));  // nothing queued
  QDialog dialog;
  auto* field = MakeTextField(&dialog, "", 10, 10, 380, 25);
  QObject::connect(MakeButton(&dialog, "OK", 290, 65, 100, 25), &QPushButton::clicked, &dialog,
                   &QDialog::accept);
  script.PickFile("x").Drive([](QDialog& d) {
    d.findChild<QLineEdit*>()->setText("demo");
    EXPECT_TRUE(ClickButton(d, "OK"));
  });
  EXPECT_EQ(Dialogs().Exec(dialog), QDialog::Rejected);  // the wrong answer: closed at once
  EXPECT_EQ(Dialogs().Exec(dialog), QDialog::Accepted);
  EXPECT_EQ(field->text(), "demo");
  script.AnswerYes();  // never used
  EXPECT_EQ(script.problems().size(), 3u);
}

// Pictures reach the screen unchanged; a click on the card grid finds the
// entry under it, and entries without pictures paint too.
TEST_F(WidgetsTest, PicturesAndCardGrid) {
  Image rgba = Image::Transparent(3, 2);
  rgba.Plot(2, 1, Color{10, 20, 30, 128});
  EXPECT_EQ(ToQImage(rgba).pixelColor(2, 1), QColor(10, 20, 30, 128));
  EXPECT_FALSE(ToQImage(Image::Opaque(2, 2)).hasAlphaChannel());
  CardGrid grid;
  grid.resize(400, 300);
  grid.AddPicture(0, QRect(10, 60, 150, 100), ShareImage(Image::Opaque(150, 100)), "sprite_2");
  grid.AddPicture(2, QRect(170, 60, 150, 100), nullptr);
  for (auto [x, y, id] : {std::tuple{10, 60, 0}, {159, 159, 0}, {160, 60, -1}, {200, 100, 2}})
    EXPECT_EQ(grid.IdAt(QPoint(x, y)), id) << x << "," << y;
  grid.SetHighlighted(0);
  EXPECT_FALSE(grid.grab().isNull());
}

// Menus, toolbar and shortcuts come from one table and reach one handler;
// shortcuts wait until the window enables them.
TEST_F(WidgetsTest, ActionTableBuildsMenusToolbarAndShortcuts) {
  QWidget window;
  QMenuBar bar(&window);
  ActionRegistry registry(&window);
  registry.BuildMenuBar(&bar, {{1, "File", "New\tCtrl + N", "Ctrl+N", "document-new", ""},
                               {-1, "File", "", "", "", ""},
                               {3, "Help", "About", "", "", ""}});
  ASSERT_EQ(bar.actions().size(), 2);
  EXPECT_TRUE(bar.actions()[0]->menu()->actions()[1]->isSeparator());
  EXPECT_TRUE(registry.action(1)->shortcut().isEmpty());
  registry.EnableShortcuts();
  EXPECT_EQ(registry.action(1)->shortcut(), QKeySequence("Ctrl+N"));
  int news = 0;
  registry.SetHandler(1, [&] { ++news; });
  registry.action(1)->trigger();
  auto buttons = registry.BuildToolbar(
      &window, {{1, 10, 10, 25, 25, "New game", ""}, {5, 100, 10, 50, 25, "Run game", ""}});
  buttons[0]->click();
  buttons[1]->click();  // no handler: nothing happens
  EXPECT_EQ(news, 2);
}

// A cut name shows whole in the open list and in tooltips.
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

// Timers and delayed work of a closed window never run; Cancel stops the
// progress window's work, which it waits for before closing (running to the
// end is the export's test).
TEST_F(WidgetsTest, TimersAndWorkEndWithTheirWindow) {
  int ticks = 0, dropped = 0, done = 0;
  auto* window = new QWidget;
  WindowTimer timer(window, 5, [&] { ++ticks; });
  timer.Start();
  EXPECT_TRUE(test::WaitFor([&] { return ticks > 1; }));
  AfterDelay(window, 1, [&] { ++dropped; });
  delete window;
  EXPECT_FALSE(timer.running());
  QWidget open;
  AfterDelay(&open, 1, [&] { ++done; });  // queued after, so the first had its chance
  EXPECT_TRUE(test::WaitFor([&] { return done == 1; }));
  EXPECT_EQ(dropped, 0);
  ProgressWindow progress(nullptr, "Export game", "Exporting...",
                          [](const ProgressWindow::GoOn& go_on) {
                            while (go_on(0.5)) std::this_thread::yield();
                          });
  progress.show();
  EXPECT_TRUE(ClickButton(progress, "Cancel"));
  EXPECT_TRUE(test::WaitFor([&] { return progress.isHidden(); }));
  EXPECT_EQ(progress.result(), QDialog::Rejected);
}

// "name|patterns" pairs become the desktop's form; "*.*" matches every file;
// a lone name, blanks and a trailing bar still give usable entries.
TEST(FileFilterTest, EntriesPatternsAndTheDesktopForm) {
  const auto entries =
      ParseFileFilter("Images (*.png;*.jpg)|*.png;*.jpg|PNG (*.png)|*.png|All files (*.*)|*.*");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].patterns, (Strings{"*.png", "*.jpg"}));
  EXPECT_EQ(DesktopFilterText(entries[0]), "Images (*.png *.jpg)");
  EXPECT_EQ(DesktopFilterText(entries[2]), "All files (*)");
  EXPECT_TRUE(FilterMatches(entries[2], "README"));
  EXPECT_FALSE(FilterMatches(entries[1], "hero.jpg"));
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(ParseFileFilter("Function libraries").at(0).patterns, Strings{"*.*"});
  EXPECT_EQ(DesktopFilterText(ParseFileFilter("Sounds|*.wav; ;*.ogg|").at(0)),
            "Sounds (*.wav *.ogg)");
}

// Writes down what reaches it and draws one blue pixel where the pointer is.
class RecordingTool : public CanvasTool {
 public:
  std::string log;
  int x = -1, y = -1;

  void Press(const PointerEvent& e) override { Note("press", e); }
  void Move(const PointerEvent& e) override { Note(e.left_held() ? "drag" : "move", e); }
  void Release(const PointerEvent& e) override { Note("release", e); }
  bool Key(const KeyEvent& e) override { return log += "key ", e.key == Qt::Key_Left; }
  void Enter() override { log += "enter "; }
  void Leave() override { log += "leave "; }
  void PaintOverlay(Image& target, int left, int top) override {
    target.Plot(x - left, y - top, Color{0, 0, 255, 255});
  }

 private:
  void Note(const char* what, const PointerEvent& e) {
    log += std::string(what) + (e.shift_alone() ? "+shift " : " ") + std::to_string(e.x) + "," +
           std::to_string(e.y) + " ";
    x = e.x, y = e.y;
    Repaint();
  }
};

void Mouse(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButtons held,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, w.mapToGlobal(at), button, held, modifiers);
  QApplication::sendEvent(&w, &event);
}

// Presses, drags, keys and the pointer entering and leaving reach the tool
// in picture pixels (a key it does not take goes on); the tool's overlay is
// drawn over the picture, each pixel zoom x zoom on screen; without a tool
// events go nowhere.
TEST(Canvas, HandsEventsInPicturePixelsToItsTool) {
  test::QtApp();
  Canvas canvas;
  canvas.SetPicture(20, 10, [](Image& target, int, int) { target.Fill(Color{255, 0, 0, 255}); });
  ASSERT_TRUE(canvas.SetZoom(3));
  RecordingTool tool;
  canvas.SetTool(&tool);
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(&canvas, &enter);
  Mouse(canvas, QEvent::MouseButtonPress, {7.5, 4}, Qt::LeftButton, Qt::ShiftModifier);
  Mouse(canvas, QEvent::MouseMove, {10, 4}, Qt::LeftButton,
        Qt::ShiftModifier | Qt::ControlModifier);
  Mouse(canvas, QEvent::MouseButtonRelease, {10, 4}, Qt::NoButton);
  Mouse(canvas, QEvent::MouseMove, {-1, 0}, Qt::NoButton);
  for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Space}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &press);
    EXPECT_EQ(press.isAccepted(), key == Qt::Key_Left);
  }
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&canvas, &leave);
  EXPECT_EQ(tool.log, "enter press+shift 2,1 drag 3,1 release 3,1 move -1,0 key key leave ");
  Mouse(canvas, QEvent::MouseMove, {13, 7}, Qt::NoButton);
  const QImage screen = canvas.grab().toImage();
  for (const auto& [x, y, rgb] : {std::tuple{0, 0, qRgb(255, 0, 0)},
                                  {12, 6, qRgb(0, 0, 255)},
                                  {14, 8, qRgb(0, 0, 255)},
                                  {15, 6, qRgb(255, 0, 0)}})
    EXPECT_EQ(screen.pixel(x, y), rgb) << x << "," << y;
  canvas.SetTool(nullptr);
  Mouse(canvas, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton);
  EXPECT_EQ(tool.log.find("press 0,0"), std::string::npos);
  canvas.SetImage(Image::Opaque(3, 2));  // a fixed image shows the same way
  EXPECT_EQ(canvas.grab().toImage().pixel(8, 5), qRgb(0, 0, 0));
}

// Zooms it cannot show are refused; a huge picture draws only the part
// asked for.
TEST(Canvas, RefusesZoomsItCannotShowAndDrawsOnlyWhatIsAsked) {
  test::QtApp();
  QWidget window;  // inside a window, as in an editor: windows have smaller limits
  Canvas& canvas = *new Canvas(&window);
  int painted = 0;
  canvas.SetPicture(1000000, 1000000, [&](Image& target, int left, int top) {
    painted += target.width() * target.height();
    EXPECT_EQ(left + top, 0);
  });
  EXPECT_FALSE(canvas.SetZoom(0));
  EXPECT_FALSE(canvas.SetZoom(Canvas::kMaxZoom + 1));
  EXPECT_TRUE(canvas.SetZoom(Canvas::kMaxZoom));
  EXPECT_EQ(canvas.width(), Canvas::kMaxSide);
  canvas.grab(QRect(0, 0, 128, 128));
  EXPECT_EQ(painted, 2 * 2);  // a 128 x 128 corner at zoom 64
  EXPECT_EQ(canvas.ToPicture(QPointF(-0.5, 191.9)), QPoint(-1, 2));
}

// The wheel halves and doubles the zoom within the range it was given,
// keeping the picture pixel under the pointer where it is, and clicks land
// on the same picture pixel at every zoom.
TEST(Canvas, TheWheelZoomsAroundThePointer) {
  test::QtApp();
  QScrollArea area;
  area.resize(200, 200);
  auto* canvas = new Canvas;
  area.setWidget(canvas);
  area.show();
  canvas->SetPicture(2000, 1500, [](Image&, int, int) {});
  RecordingTool tool;
  canvas->SetTool(&tool);
  const auto wheel = [&](QPointF at, int notches) {
    QWheelEvent event(at, canvas->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &event);
  };
  wheel({100, 60}, 1);
  EXPECT_EQ(canvas->zoom(), 1) << "the wheel scrolls until asked to zoom";
  canvas->SetWheelZoom(4, 8);
  area.horizontalScrollBar()->setValue(500);
  area.verticalScrollBar()->setValue(300);
  const std::pair<int, const char*> steps[] = {
      {1, "200%"}, {5, "800%"}, {-3, "100%"}, {-9, "25%"}, {1, "50%"}};
  for (const auto& [notches, text] : steps) {
    // The pointer over picture pixel (600, 400), wherever that is on screen.
    const double scale = 1.0 * canvas->zoom() / canvas->shrink();
    const QPoint in_view = canvas->mapToParent(QPoint(600.5 * scale, 400.5 * scale));
    wheel(canvas->mapFromParent(QPointF(in_view)), notches);
    EXPECT_EQ(canvas->ZoomText().toStdString(), text);
    Mouse(*canvas, QEvent::MouseButtonPress, canvas->mapFromParent(QPointF(in_view)),
          Qt::LeftButton);
    EXPECT_NEAR(tool.x, 600, canvas->shrink() * 2) << text;
    EXPECT_NEAR(tool.y, 400, canvas->shrink() * 2) << text;
  }
}

}  // namespace
}  // namespace vorlane
