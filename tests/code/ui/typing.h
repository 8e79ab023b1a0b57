// Key presses for widget tests, as the user would type them.
#pragma once

#include <QApplication>
#include <QKeyEvent>

#include "support/qt_app.h"

namespace vorlane::test {

inline void PressKey(QWidget* target, int key, const QString& text = QString()) {
  for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &event);
  }
}

inline void Type(QWidget* target, const QString& text) {
  for (const QChar c : text) {
    const int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
    PressKey(target, key, QString(c));
  }
}

}  // namespace vorlane::test
