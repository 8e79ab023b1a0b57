// Checks the script in a code editor a moment after the user stops typing:
// a syntax error marks its line in the editor and takes over one help line
// of the window until it is fixed. Every code dialog has one.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "code/syntax_watch.h"

class QLabel;

namespace vorlane {

class CodeEditor;

// The Scintilla marker (a tinted line) and indicator (a squiggle under its
// text) of the error line.
inline constexpr int kSyntaxErrorMarker = 3;
inline constexpr int kSyntaxErrorIndicator = 8;

class SyntaxMarker : public QObject {
  Q_OBJECT

 public:
  // Watches `editor` (and is released with it). `params` gives the parameter
  // list the code is the body of; none for a script without parameters.
  SyntaxMarker(CodeEditor* editor, QLabel* help_line, std::function<std::string()> params = {});
  ~SyntaxMarker() override;

  QLabel* help_line() const { return help_line_; }
  const std::optional<SyntaxError>& error() const { return watch_.error(); }
  // Whether a check waits for the pause to end.
  bool pending() const { return timer_.isActive(); }

  // What the help line shows while there is no error.
  void SetUsualHelp(const QString& text);
  // Starts the pause again: the text or the parameters changed.
  void Schedule() { timer_.start(); }
  // Checks now what is pending (the pause's end; tests call it directly).
  void CheckNow();

 private:
  void ShowError();

  CodeEditor* editor_;
  QLabel* help_line_;
  std::function<std::string()> params_;
  QString usual_help_;
  QTimer timer_;
  // Made at the first check: it costs a JavaScript engine.
  std::unique_ptr<ScriptChecker> checker_;
  SyntaxWatch watch_;
};

}  // namespace vorlane
