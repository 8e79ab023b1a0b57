// What the window tests of the image and scene folders share: a key sent to
// a window, a typed way to drive a window, and the layout check.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <functional>

namespace vorlane::test {

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

// Queues `act` to drive a window of type W.
template <class W>
std::function<void(QDialog&)> As(std::function<void(W&)> act) {
  return [act](QDialog& window) { act(static_cast<W&>(window)); };
}

// No visible control of the window sticks out of its parent or is too
// narrow for its text. With VORLANE_SCREENSHOTS set to a folder, the window is
// saved there as a PNG to look at.
inline void ExpectNothingClipped(QWidget& window, const QString& shot) {
  window.show();
  if (qEnvironmentVariableIsSet("VORLANE_SCREENSHOTS"))
    window.grab().save(qEnvironmentVariable("VORLANE_SCREENSHOTS") + "/" + shot + ".png");
  for (QWidget* w : window.findChildren<QWidget*>()) {
    QWidget* parent = w->parentWidget();
    if (!w->isVisibleTo(&window) || !parent || qobject_cast<QScrollArea*>(parent->parentWidget()))
      continue;  // what a scroll area shows may be larger than it
    const QString what = shot + ": " + w->metaObject()->className() + " " + w->objectName();
    EXPECT_TRUE(parent->rect().contains(w->geometry())) << what.toStdString();
    const auto* label = qobject_cast<QLabel*>(w);
    const auto* button = qobject_cast<QAbstractButton*>(w);
    const QString text = label ? label->text() : button ? button->text() : QString();
    const int box = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) ? 20 : 0;
    if (!text.isEmpty() && !(label && label->wordWrap())) {
      EXPECT_LE(w->fontMetrics().horizontalAdvance(text) + box, w->width())
          << (what + " \"" + text + "\"").toStdString();
    }
  }
}

}  // namespace vorlane::test
