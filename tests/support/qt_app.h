// One QApplication for every widget test, on the offscreen platform unless
// another is asked for, the fixture of the dialog tests, and what every
// window test checks of its window: nothing cut off, no way out by Escape.
#pragma once

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "gui/ui/controls.h"
#include "gui/ui/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace vorlane::test {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "vorlane_ui_tests";
  static char* argv[] = {name, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);  // lives until the process ends
  return *app;
}

// Runs the event loop until `done` holds; the bound only ends a broken wait.
inline bool WaitFor(const std::function<bool()>& done, int bound_ms = 30000) {
  for (int i = 0; i < bound_ms / 10 && !done(); ++i) {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return done();
}

// Sends a key, with Ctrl unless told otherwise, to `target`.
inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

// Queues `act` to drive a window of type W.
template <class W>
std::function<void(QDialog&)> As(std::function<void(W&)> act) {
  return [act](QDialog& window) { act(static_cast<W&>(window)); };
}

// The controls of `window` a user cannot see whole: a text wider than its
// control, or a control partly outside its parent. Controls moved wholly out
// of sight (a hidden panel), the toolkit's own parts and what scrolls are
// passed over; the pages of tabs not shown are checked at the size they get
// when shown. Shows the window, so that its containers are laid out; with
// VORLANE_SCREENSHOTS set to a folder, saves a picture of it there to look
// at, named `shot` or the window's title.
inline std::vector<std::string> Clipped(QWidget& window, QString shot = {}) {
  window.show();
  if (const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOTS"); !folder.isEmpty())
    window.grab().save(folder + "/" + (shot.isEmpty() ? window.windowTitle() : shot) + ".png");
  for (QStackedWidget* stack : window.findChildren<QStackedWidget*>())
    for (int i = 0; i < stack->count(); ++i) stack->widget(i)->setGeometry(stack->contentsRect());
  std::vector<std::string> clipped;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (w->isHidden() || w->window() != &window || w->objectName().startsWith("qt_")) continue;
    bool scrolls = false;
    for (QWidget* up = w->parentWidget(); up && up != &window; up = up->parentWidget())
      scrolls |= qobject_cast<QAbstractScrollArea*>(up) != nullptr;
    if (scrolls) continue;
    const QString name = w->metaObject()->className() + QString(" \"");
    const QRect room = w->parentWidget()->rect();
    if (room.intersects(w->geometry()) && !room.contains(w->geometry()))
      clipped.push_back((name + w->objectName() + "\" outside its parent").toStdString());
    QString text;
    int width = w->contentsRect().width();
    if (auto* label = qobject_cast<QLabel*>(w);
        label && !label->wordWrap() && !Qt::mightBeRichText(label->text())) {
      text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      text = button->text().remove('&');
      const bool box = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
      width -= box ? w->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                         w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)
                   : w->style()->pixelMetric(QStyle::PM_ButtonMargin);
    }
    if (!text.isEmpty() && w->fontMetrics().size(0, text).width() > width)
      clipped.push_back((name + text + "\" cut off").toStdString());
  }
  return clipped;
}

// Presses `button` of the window it is given.
inline std::function<void(QDialog&)> Press(const QString& button) {
  return [button](QDialog& dialog) { ClickButton(dialog, button); };
}

// True when Escape and the close box leave `dialog` open: only its own
// buttons end it.
inline bool IgnoresEscapeAndClose(QDialog& dialog) {
  dialog.show();
  Key(&dialog, Qt::Key_Escape, Qt::NoModifier);
  dialog.close();
  return dialog.isVisible();
}

// A fresh program folder and scripted answers for every modal window; an
// answer left unused or a window without one fails the test.
class DialogTest : public InTempDir {
 protected:
  void TearDown() override { EXPECT_EQ(dialogs_.problems(), std::vector<std::string>{}); }
  // Answers the next window with `act`, once it has been checked as every
  // window is: its title, nothing cut off, only its own buttons end it.
  template <typename Window>
  ScriptedDialogs& DriveWindow(const std::string& title, std::function<void(Window&)> act) {
    return dialogs_.Drive([title, act](QDialog& window) {
      EXPECT_EQ(window.windowTitle().toStdString(), title);
      EXPECT_EQ(Clipped(window), std::vector<std::string>{}) << title;
      EXPECT_TRUE(IgnoresEscapeAndClose(window)) << title;
      act(static_cast<Window&>(window));
    });
  }
  QApplication& qt_app_ = QtApp();  // before any window
  ScriptedDialogs dialogs_;
};

}  // namespace vorlane::test
