#include "gui/ui/controls.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "gui/ui/image_view.h"

namespace vorlane {
namespace {

template <typename Control>
Control* Place(Control* control, int x, int y, int w, int h) {
  control->setGeometry(x, y, w, h);
  return control;
}

}  // namespace

QPushButton* MakeButton(QWidget* parent, const QString& text, int x, int y, int w, int h) {
  auto* button = Place(new QPushButton(text, parent), x, y, w, h);
  button->setAutoDefault(false);
  return button;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h) {
  return Place(new QLabel(text, parent), x, y, w, h);
}

QLineEdit* MakeTextField(QWidget* parent, const QString& text, int x, int y, int w, int h) {
  return Place(new QLineEdit(text, parent), x, y, w, h);
}

QCheckBox* MakeCheckBox(QWidget* parent, const QString& text, int x, int y, int w, int h) {
  return Place(new QCheckBox(text, parent), x, y, w, h);
}

QLineEdit* MakeDigitsField(QWidget* parent, const QString& text, int x, int y, int w, int h) {
  QLineEdit* field = MakeTextField(parent, "", x, y, w, h);
  QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& typed) {
    QString digits;
    for (const QChar c : typed)
      if (c >= '0' && c <= '9') digits += c;
    if (digits == typed) return;
    const int cursor = field->cursorPosition() - static_cast<int>(typed.size() - digits.size());
    field->setText(digits);
    field->setCursorPosition(std::max(0, cursor));
  });
  field->setText(text);  // a preset value goes through the same filter
  return field;
}

void CentreOnScreen(QWidget* window, QWidget* parent) {
  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  window->move(screen->availableGeometry().center() - window->rect().center());
}

PictureControl* MakePicture(QWidget* parent, int x, int y, int w, int h) {
  return Place(new PictureControl(parent), x, y, w, h);
}

PictureButton* MakePictureButton(QWidget* parent, int x, int y, int w, int h) {
  return Place(new PictureButton(parent), x, y, w, h);
}

QPushButton* FindButton(QWidget& window, const QString& text) {
  for (auto* button : window.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

bool ClickButton(QWidget& window, const QString& text) {
  QPushButton* button = FindButton(window, text);
  if (!button) return false;
  button->click();
  return true;
}

}  // namespace vorlane
