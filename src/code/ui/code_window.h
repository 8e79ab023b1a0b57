// What the resizable code windows share (global functions, global variables,
// event code): the editor, OK and Cancel, two help lines refreshed every
// 100 ms (the second gives way to a syntax error), and a geometry remembered
// in the "Code editor" preferences.
#pragma once

#include <QDialog>
#include <QTimer>
#include <string>

#include "gui/preferences.h"
#include "code/keyword_list.h"
#include "project/model.h"

class QLabel;
class QPushButton;

namespace vorlane {

class CodeEditor;
class SyntaxMarker;

// The window's caption font.
QFont DialogBoldFont();    // Arial 11 bold

class CodeWindow : public QDialog {
  Q_OBJECT

 public:
  CodeEditor* editor() const { return editor_; }
  QPushButton* ok_button() const { return ok_; }
  QPushButton* cancel_button() const { return cancel_; }
  QLabel* help_line1() const { return help1_; }
  QLabel* help_line2() const { return help2_; }
  SyntaxMarker* syntax_marker() const { return marker_; }

  // The help timer's work: the help of the engine name at the caret.
  void RefreshHelpLines();
  // Places the editor, buttons and help lines for the current size and
  // records the size and maximised state in the preferences.
  void LayoutCodeWindow();

 protected:
  // `keep_on_not_applicable`: a help text "n/a" leaves the line as it was.
  CodeWindow(QWidget* parent, const std::string& title, Preferences& prefs, const Project& project,
             const KeywordList& keywords, bool keep_on_not_applicable);

  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;
  // Cancel and the close button ask before throwing changes away.
  void reject() override;
  // Whether anything differs from what the window opened with; the code
  // is compared with the text given to KeepOpeningText.
  virtual bool HasChanges() const;
  void KeepOpeningText();

 private:
  void ApplyStoredGeometry();

  Preferences& prefs_;
  const KeywordList& keywords_;
  bool keep_on_not_applicable_;
  CodeEditor* editor_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QLabel* help1_;
  QLabel* help2_;
  SyntaxMarker* marker_;
  QTimer help_timer_;
  std::string opening_text_;
};

// 800 x 600 centred on the screen of `parent` (or the primary screen).
void CentreWindow(QWidget* window, QWidget* parent);
// A caption `width` x 25 at (x, y), its text on the middle line of the
// 25-high controls that start 5 pixels above it. A font wider than the layout
// was made for is made smaller rather than cut off.
void PlaceCaption(QLabel* label, int x, int y, int width);
// Escape and Enter must not end a code window: only its buttons do.
bool IsDialogShortcutKey(const QKeyEvent* event);

inline constexpr char kDiscardCodeQuestion[] = "Discard the changes to this code?";
// Whether a code window leaving without OK may go: yes when nothing was
// changed, otherwise as the user answers kDiscardCodeQuestion.
bool MayDiscardCode(QWidget* window, bool changed);

}  // namespace vorlane
