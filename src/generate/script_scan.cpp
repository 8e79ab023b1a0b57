#include "generate/script_scan.h"

#include <vector>

#include "project/js_tokens.h"

namespace vorlane {
namespace {

// Walks the script's tokens, tracking brackets to tell an object's braces
// from a block's and a class body from both.
class Scanner {
 public:
  explicit Scanner(std::string_view code) : s_(code), tokens_(code) {}

  int Run() {
    Walk();
    return found_;
  }

  std::optional<BracketProblem> Brackets() {
    brackets_ = true;
    Walk();
    if (bracket_) return bracket_;
    if (open_.empty()) return std::nullopt;
    return BracketProblem{ScriptLineCount(s_), std::string("The '") + open_.back().bracket +
                                                   "' of line " + std::to_string(open_.back().line) +
                                                   " is not closed"};
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
  bool Done() const { return brackets_ ? bracket_.has_value() : found_ != 0; }
  bool InClassBody() const { return !open_.empty() && open_.back().class_line > 0; }
  // The first character of the next token that is not blank or comment.
  char NextChar() const {
    JsTokenizer ahead = tokens_;
    JsToken t;
    while (ahead.Next(t))
      if (!IsSpace(t)) return s_[t.begin];
    return '\0';
  }

  void Walk() {
    for (JsToken t; !Done() && tokens_.Next(t);) {
      if (IsSpace(t) && t.kind != JsTokenKind::Comment) continue;
      Token(t);
      if (t.kind != JsTokenKind::Comment) {
        last_was_word_ = t.kind == JsTokenKind::Word;
        previous_ = t.Text(s_);
      }
    }
  }

  void Token(const JsToken& t) {
    const std::string_view text = t.Text(s_);
    switch (t.kind) {
      case JsTokenKind::Comment:
        if (text.substr(0, 4) == "<!--" || text.substr(0, 3) == "-->") Newer(t.line);
        return;
      case JsTokenKind::Template:
        if (text.front() == '}') Close('}', t.line);
        if (text.back() == '{' && t.closed) open_.push_back({'{', 0, t.line});
        return;
      case JsTokenKind::Regex:
        for (size_t f = t.closed ? text.rfind('/') + 1 : text.size(); f < text.size(); ++f)
          if (text[f] == 's' || text[f] == 'd' || text[f] == 'v') Newer(t.line);
        return;
      case JsTokenKind::Number:
        if (text.find('_') != std::string_view::npos || text.back() == 'n') Newer(t.line);
        return;
      case JsTokenKind::PrivateName: return Newer(t.line);
      case JsTokenKind::Word: return Word(text, t.line);
      case JsTokenKind::Punct: return Punct(text, t.line);
      default: return;
    }
  }

  void Close(char c, int line) {
    const char opener = c == ')' ? '(' : c == ']' ? '[' : '{';
    if (open_.empty() || open_.back().bracket != opener) {
      if (!bracket_) bracket_ = BracketProblem{line, std::string("Unexpected '") + c + "'"};
      return;
    }
    open_.pop_back();
  }

  void Punct(std::string_view p, int line) {
    if (p == "#") Newer(line);
    if (p == "..." && !open_.empty() && open_.back().bracket == '{') Newer(line);
    if (p == "?\?=" || p == "||=" || p == "&&=") Newer(line);
    if (p == "(" || p == "[" || p == "{") {
      open_.push_back({p[0], p == "{" ? pending_class_ : 0, line});
      if (p == "{") pending_class_ = 0;
    }
    if (p == ")" || p == "]" || p == "}") Close(p[0], line);
    // A field: `name = value` or `name;` straight inside a class body.
    if (p == "=" && InClassBody()) Newer(open_.back().class_line);
    if (p == ";" && InClassBody() && last_was_word_) Newer(open_.back().class_line);
  }

  void Word(std::string_view word, int line) {
    if (previous_ == "." || previous_ == "?.") return;
    if (word != "async" && word != "catch" && word != "import" && word != "class" &&
        word != "static")
      return;
    const char next = NextChar();
    if (word == "async") Newer(line);  // valid `await` always follows one
    if (word == "catch" && next == '{') Newer(line);
    if (word == "import" && (next == '(' || next == '.')) Newer(line);
    if (word == "class") pending_class_ = line;
    if (word == "static" && next == '{' && InClassBody()) Newer(open_.back().class_line);
  }

  std::string_view s_;
  JsTokenizer tokens_;
  std::string_view previous_;  // the last token's text that is not blank or comment
  int found_ = 0;
  int pending_class_ = 0;
  bool last_was_word_ = false;
  std::vector<Open> open_;
  std::optional<BracketProblem> bracket_;
  bool brackets_ = false;  // looking for a bracket problem rather than newer syntax
};

}  // namespace

size_t LineBreakAt(std::string_view text, size_t i) { return JsLineBreakAt(text, i); }

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
