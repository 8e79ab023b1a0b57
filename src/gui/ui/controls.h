// Controls placed at absolute positions, the way every window of the program
// is laid out, and small helpers to find them again (tests press buttons the
// way a user would).
#pragma once

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vorlane {

class PictureButton;
class PictureControl;

QPushButton* MakeButton(QWidget* parent, const QString& text, int x, int y, int w, int h);
QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h);
QLineEdit* MakeTextField(QWidget* parent, const QString& text, int x, int y, int w, int h);
QCheckBox* MakeCheckBox(QWidget* parent, const QString& text, int x, int y, int w, int h);
// A text field that takes only the digits of what is typed or pasted, so no
// sign can be entered: "-5" becomes "5".
QLineEdit* MakeDigitsField(QWidget* parent, const QString& text, int x, int y, int w, int h);
PictureControl* MakePicture(QWidget* parent, int x, int y, int w, int h);
PictureButton* MakePictureButton(QWidget* parent, int x, int y, int w, int h);

// Moves `window` to the middle of the screen `parent` is on (or the primary
// screen), keeping its size.
void CentreOnScreen(QWidget* window, QWidget* parent);

// The push button of `window` whose text is `text`, null when none.
QPushButton* FindButton(QWidget& window, const QString& text);
// Clicks it; false when there is no such button.
bool ClickButton(QWidget& window, const QString& text);

}  // namespace vorlane
