#include "gui/ui/canvas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <string>

#include "support/qt_app.h"

namespace vorlane {
namespace {

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

}  // namespace
}  // namespace vorlane
