// The code editor's own styling: a word table, a tokenizer and fold levels,
// over an abstract document so that every rule runs without a widget.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "code/editor_words.h"

namespace vorlane {

// Editor options, fixed at creation.
inline constexpr int kShowLineNumbers = 0x1;
inline constexpr int kCaseSensitive = 0x2;

// Editor features.
inline constexpr int kStylingOn = 0x1;
inline constexpr int kCompletionOn = 0x2;
inline constexpr int kFoldingOn = 0x4;
inline constexpr int kFoldAnyLine = 0x8;
inline constexpr int kAutoIndent = 0x20;

// Scintilla's fold level encoding.
inline constexpr int kFoldLevelBase = 0x400;
inline constexpr int kFoldLevelNumberMask = 0xFFF;
inline constexpr int kFoldLevelHeaderFlag = 0x2000;

// Receives consecutive style runs, starting where styling was started.
class StyleSink {
 public:
  virtual ~StyleSink() = default;
  virtual void SetStyling(int length, int style) = 0;
};

// What re-styling needs of the text: lines, styles, fold levels and the
// per-line state (1 = the line ends inside a block comment).
class StyledDocument : public StyleSink {
 public:
  virtual int LineCount() = 0;
  virtual int LineLength(int line) = 0;  // line end included
  // The line's bytes, line end included.
  virtual void GetLine(int line, std::string& bytes) = 0;
  virtual long PositionFromLine(int line) = 0;
  virtual void StartStyling(long position) = 0;
  virtual int GetFoldLevel(int line) = 0;
  virtual void SetFoldLevel(int line, int level) = 0;
  virtual int GetLineState(int line) = 0;
  // Returns the previous state.
  virtual int SetLineState(int line, int state) = 0;
};

struct EditorStyling;

// Styles one line through the document; returns 1 when the state at the end
// of the line changed, so that the following lines must be styled too.
using LineStyler = int (*)(EditorStyling& editor, StyledDocument& document, const char* bytes,
                           int length, int line, int first_line, int last_line);

// Everything of a code editor but its widget.
struct EditorStyling {
  explicit EditorStyling(int editor_options = kShowLineNumbers)
      : options(editor_options), words((editor_options & kCaseSensitive) != 0) {}

  void SetOperators(std::string_view text);
  bool IsOperator(unsigned char byte) const { return operator_bytes[byte]; }

  int options;
  int features = kStylingOn | kFoldingOn;
  LineStyler line_styler = nullptr;
  std::string operators;
  std::array<bool, 256> operator_bytes{};
  int number_style = kDefaultStyle;
  WordTable words;
  int fold_delta = 0;
  int fold_level = 0;
  int min_completion_length = 3;
};

struct SeparatorTest {
  bool separator = false;
  const EditorWord* entry = nullptr;  // only for a separator
};
SeparatorTest IsSeparatorChar(const EditorStyling& editor, unsigned char byte);

struct NumberMatch {
  int length = 0;  // 0: not a number
  int digits = 0;
};
NumberMatch MatchNumber(const EditorStyling& editor, const char* p, int remaining);

struct Token {
  int length = 0;
  int style = kDefaultStyle;
  const EditorWord* entry = nullptr;
};
// Measures the token at `p` and, unless `sink` is null, sends its style and
// counts braces into fold_delta.
Token StyleToken(EditorStyling& editor, const char* p, int remaining, StyleSink* sink);

// Word registrations; each returns whether the table changed, after which
// the text needs re-styling. `sort` orders the list for completion.
bool AddKeywords(EditorStyling& editor, std::string_view text, int style, int flags, bool sort);
// A `kWordPaired` opener needs a closer; its first character ends the token.
bool AddDelimiter(EditorStyling& editor, std::string_view opener, std::string_view closer, int flags,
                  int style);

// The plain tokenizer loop over one line.
void StylePlainLine(EditorStyling& editor, StyleSink& sink, const char* bytes, int length);

// Styles lines first_line..last_line (-1: to the end), starting one line
// earlier, and goes on past last_line while a line's end state changes.
// Returns the number of lines styled.
int RestyleLines(EditorStyling& editor, StyledDocument& document, int first_line, int last_line);

}  // namespace vorlane
