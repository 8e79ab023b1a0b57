#include "code/ui/syntax_marker.h"

#include <QLabel>

#include "code/ui/code_editor.h"
#include "code/ui/scintilla_messages.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

namespace {

// Long enough not to check in the middle of a word, short enough to follow.
constexpr int kPauseMilliseconds = 400;
// Scintilla colours are 0xBBGGRR.
constexpr long kErrorRed = 0x2020D0;
constexpr long kErrorLineTint = 0x6060FF;
constexpr int kErrorLineAlpha = 60;  // of 255: the text and the caret line stay readable

}  // namespace

SyntaxMarker::SyntaxMarker(CodeEditor* editor, QLabel* help_line,
                           std::function<std::string()> params)
    : QObject(editor),
      editor_(editor),
      help_line_(help_line),
      params_(std::move(params)),
      watch_([this](std::string_view code, std::string_view params) {
        if (!checker_) checker_ = std::make_unique<ScriptChecker>();
        return checker_->Check(code, params);
      }) {
  editor_->Send(sci::MARKERDEFINE, kSyntaxErrorMarker, sci::kMarkBackground);
  editor_->Send(sci::MARKERSETBACK, kSyntaxErrorMarker, kErrorLineTint);
  editor_->Send(sci::MARKERSETALPHA, kSyntaxErrorMarker, kErrorLineAlpha);
  editor_->Send(sci::INDICSETSTYLE, kSyntaxErrorIndicator, sci::kIndicSquiggle);
  editor_->Send(sci::INDICSETFORE, kSyntaxErrorIndicator, kErrorRed);
  usual_help_ = help_line_->text();

  timer_.setSingleShot(true);
  timer_.setInterval(kPauseMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &SyntaxMarker::CheckNow);
  connect(editor_, &QsciScintillaBase::SCEN_CHANGE, this, &SyntaxMarker::Schedule);
  // The script the window opens with is checked once as well.
  Schedule();
}

SyntaxMarker::~SyntaxMarker() = default;

void SyntaxMarker::SetUsualHelp(const QString& text) {
  usual_help_ = text;
  if (!error()) help_line_->setText(text);
}

void SyntaxMarker::CheckNow() {
  timer_.stop();
  if (watch_.Update(editor_->GetEditorText(), params_ ? params_() : std::string())) ShowError();
}

void SyntaxMarker::ShowError() {
  editor_->Send(sci::MARKERDELETEALL, kSyntaxErrorMarker);
  editor_->Send(sci::SETINDICATORCURRENT, kSyntaxErrorIndicator);
  editor_->Send(sci::INDICATORCLEARRANGE, 0, editor_->Send(sci::GETLENGTH));
  const int line = MarkedLine(error(), static_cast<int>(editor_->Send(sci::GETLINECOUNT)));
  if (line >= 0) {
    editor_->Send(sci::MARKERADD, line, kSyntaxErrorMarker);
    // The squiggle runs under the line's text, not its indentation.
    const long start = editor_->Send(sci::GETLINEINDENTPOSITION, line);
    const long end = editor_->Send(sci::GETLINEENDPOSITION, line);
    if (end > start) editor_->Send(sci::INDICATORFILLRANGE, start, end - start);
  }
  help_line_->setText(Q(HelpLineText(error(), usual_help_.toStdString())));
  help_line_->setStyleSheet(error() ? "color: #d02020;" : "");
}

}  // namespace vorlane
