#include "generate/script_scan.h"

#include <algorithm>
#include <vector>

namespace vorlane {
namespace {

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '$' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A scan that knows just enough JavaScript to tell code from text: strings,
// template texts, comments and regular expressions are stepped over, and
// brackets are tracked to tell an object's braces from a block's.
class Scanner {
 public:
  explicit Scanner(std::string_view code) : s_(code) {}

  int Run() {
    while (i_ < s_.size() && !Done()) Token();
    return found_;
  }

  std::optional<BracketProblem> Brackets() {
    brackets_ = true;
    while (i_ < s_.size() && !Done()) Token();
    if (bracket_) return bracket_;
    if (open_.empty()) return std::nullopt;
    return BracketProblem{line_, std::string("The '") + open_.back().bracket + "' of line " +
                                     std::to_string(open_.back().line) + " is not closed"};
  }

 private:
  struct Open {
    char bracket;
    int class_line;  // the line of `class` when this brace opens its body
    int line;
  };

  void Newer(int line) {
    if (!found_ || line < found_) found_ = line;
  }
  char At(size_t k) const { return k < s_.size() ? s_[k] : '\0'; }
  void Step() {
    if (s_[i_] == '\n') ++line_;
    ++i_;
  }
  // The next character after blanks and comments, without moving.
  char Next(size_t k) const {
    while (k < s_.size()) {
      if (IsBlank(s_[k])) {
        ++k;
        continue;
      }
      if (s_[k] == '/' && At(k + 1) == '/') {
        while (k < s_.size() && s_[k] != '\n') ++k;
        continue;
      }
      if (s_[k] == '/' && At(k + 1) == '*') {
        const size_t end = s_.find("*/", k + 2);
        k = end == std::string_view::npos ? s_.size() : end + 2;
        continue;
      }
      return s_[k];
    }
    return '\0';
  }
  // Only blanks since the line began.
  bool AtLineStart() const {
    for (size_t k = i_; k > 0 && s_[k - 1] != '\n'; --k)
      if (!IsBlank(s_[k - 1])) return false;
    return true;
  }
  bool Done() const { return brackets_ ? bracket_.has_value() : found_ != 0; }
  bool InClassBody() const { return !open_.empty() && open_.back().class_line > 0; }

  void Token() {
    const char c = s_[i_];
    if (IsBlank(c)) return Step();
    if (c == '/' && At(i_ + 1) == '/') {
      while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      return;
    }
    if (c == '/' && At(i_ + 1) == '*') {
      Step(), Step();
      while (i_ < s_.size() && !(s_[i_] == '*' && At(i_ + 1) == '/')) Step();
      i_ = std::min(i_ + 2, s_.size());
      return;
    }
    // A comment in the manner of old pages, which browsers still take.
    if (s_.substr(i_, 4) == "<!--" || (s_.substr(i_, 3) == "-->" && AtLineStart())) {
      Newer(line_);
      while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      return;
    }
    if (c == '\'' || c == '"') return Quoted(c);
    if (c == '`') return Template();
    if (c == '/') return regex_allowed_ ? Regex() : Punct(1);
    if (IsDigit(c) || (c == '.' && IsDigit(At(i_ + 1)))) return Number();
    if (IsWordChar(c)) return Word();
    if (c == '#') {
      Newer(line_);
      return Step();
    }
    if (c == '.' && At(i_ + 1) == '.' && At(i_ + 2) == '.') {
      if (!open_.empty() && open_.back().bracket == '{') Newer(line_);
      return Punct(3);
    }
    const std::string_view rest = s_.substr(i_, 3);
    if (rest == "??=" || rest == "||=" || rest == "&&=") {
      Newer(line_);
      return Punct(3);
    }
    if (c == '(' || c == '[' || c == '{') {
      open_.push_back({c, c == '{' ? pending_class_ : 0, line_});
      if (c == '{') pending_class_ = 0;
      regex_allowed_ = true;
      return Step();
    }
    if (c == ')' || c == ']' || c == '}') {
      const char opener = c == ')' ? '(' : c == ']' ? '[' : '{';
      if (open_.empty() || open_.back().bracket != opener) {
        if (!bracket_) bracket_ = BracketProblem{line_, std::string("Unexpected '") + c + "'"};
        return Step();
      }
      open_.pop_back();
      regex_allowed_ = false;
      return Step();
    }
    // A field: `name = value` straight inside a class body.
    if (c == '=' && At(i_ + 1) != '=' && At(i_ + 1) != '>' && InClassBody())
      Newer(open_.back().class_line);
    if (c == ';' && InClassBody() && last_was_word_) Newer(open_.back().class_line);
    Punct(1);
  }

  void Punct(size_t n) {
    for (size_t k = 0; k < n && i_ < s_.size(); ++k) Step();
    regex_allowed_ = true;
    last_was_word_ = false;
  }

  void Quoted(char quote) {
    Step();
    while (i_ < s_.size() && s_[i_] != quote && s_[i_] != '\n') {
      if (s_[i_] == '\\') Step();
      if (i_ < s_.size()) Step();
    }
    if (i_ < s_.size()) Step();
    regex_allowed_ = false;
    last_was_word_ = false;
  }

  // Template texts, with the code in ${ } scanned as code.
  void Template() {
    Step();
    while (i_ < s_.size() && s_[i_] != '`') {
      if (s_[i_] == '\\') {
        Step();
        if (i_ < s_.size()) Step();
      } else if (s_[i_] == '$' && At(i_ + 1) == '{') {
        Step(), Step();
        const size_t depth = open_.size();
        open_.push_back({'{', 0, line_});
        regex_allowed_ = true;
        while (i_ < s_.size() && !Done() && open_.size() > depth) Token();
      } else {
        Step();
      }
    }
    if (i_ < s_.size()) Step();
    regex_allowed_ = false;
  }

  void Regex() {
    const int line = line_;
    Step();
    bool in_class = false;
    while (i_ < s_.size() && s_[i_] != '\n' && (in_class || s_[i_] != '/')) {
      if (s_[i_] == '\\')
        Step();
      else if (s_[i_] == '[')
        in_class = true;
      else if (s_[i_] == ']')
        in_class = false;
      if (i_ < s_.size()) Step();
    }
    if (i_ < s_.size() && s_[i_] == '/') Step();
    while (i_ < s_.size() && IsWordChar(s_[i_])) {
      if (s_[i_] == 's' || s_[i_] == 'd' || s_[i_] == 'v') Newer(line);
      Step();
    }
    regex_allowed_ = false;
  }

  void Number() {
    const size_t start = i_;
    while (i_ < s_.size() && (IsWordChar(s_[i_]) || s_[i_] == '.')) ++i_;
    const std::string_view number = s_.substr(start, i_ - start);
    if (number.find('_') != std::string_view::npos || number.back() == 'n') Newer(line_);
    regex_allowed_ = false;
    last_was_word_ = false;
  }

  void Word() {
    const size_t start = i_;
    while (i_ < s_.size() && IsWordChar(s_[i_])) ++i_;
    const std::string_view word = s_.substr(start, i_ - start);
    const char next = Next(i_);
    const bool after_dot = start > 0 && s_[start - 1] == '.';
    if (!after_dot) {
      if (word == "async") Newer(line_);  // valid `await` always follows one
      if (word == "catch" && next == '{') Newer(line_);
      if (word == "import" && (next == '(' || next == '.')) Newer(line_);
      if (word == "class") pending_class_ = line_;
      if (word == "static" && next == '{' && InClassBody()) Newer(open_.back().class_line);
    }
    // After a word a slash divides, except after the words that start an
    // expression.
    static constexpr std::string_view kBeforeExpression[] = {
        "return", "typeof", "instanceof", "in", "of",   "new",  "delete",
        "void",   "throw",  "case",       "do", "else", "yield"};
    regex_allowed_ = std::find(std::begin(kBeforeExpression), std::end(kBeforeExpression), word) !=
                     std::end(kBeforeExpression);
    last_was_word_ = true;
  }

  std::string_view s_;
  size_t i_ = 0;
  int line_ = 1;
  int found_ = 0;
  int pending_class_ = 0;
  bool regex_allowed_ = true;
  bool last_was_word_ = false;
  std::vector<Open> open_;
  std::optional<BracketProblem> bracket_;
  bool brackets_ = false;  // looking for a bracket problem rather than newer syntax
};

}  // namespace

size_t LineBreakAt(std::string_view text, size_t i) {
  const char c = text[i];
  if (c == '\n') return 1;
  if (c == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  const std::string_view rest = text.substr(i + 1, 2);
  if (c == '\xe2' && (rest == "\x80\xa8" || rest == "\x80\xa9")) return 3;
  return 0;
}

int ScriptLineCount(std::string_view text) {
  int lines = 1;
  for (size_t i = 0; i < text.size();) {
    const size_t n = LineBreakAt(text, i);
    lines += n ? 1 : 0;
    i += n ? n : 1;
  }
  return lines;
}

int FirstNewerSyntaxLine(std::string_view code) { return Scanner(code).Run(); }

std::optional<BracketProblem> UnbalancedBracket(std::string_view code) {
  return Scanner(code).Brackets();
}

}  // namespace vorlane
