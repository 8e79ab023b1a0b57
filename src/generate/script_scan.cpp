#include "generate/script_scan.h"

#include <vector>

#include "project/js_tokens.h"

namespace vorlane {
namespace {

// Walks the script's tokens, tracking brackets to tell an object's braces
// from a block's and a class body from both.
class Scanner {
 public:
  explicit Scanner(std::string_view code) : s_(code), tokens_(JsTokens(code)) {}

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
  std::string_view Text(size_t k) const { return tokens_[k].Text(s_); }
  // The first character of the next token that is not blank or comment.
  char NextChar(size_t k) const {
    while (++k < tokens_.size())
      if (!IsSpace(tokens_[k])) return s_[tokens_[k].begin];
    return '\0';
  }

  void Walk() {
    for (size_t k = 0; k < tokens_.size() && !Done(); ++k) {
      if (IsSpace(tokens_[k]) && tokens_[k].kind != JsTokenKind::Comment) continue;
      Token(k);
      if (tokens_[k].kind != JsTokenKind::Comment) {
        last_was_word_ = tokens_[k].kind == JsTokenKind::Word;
        previous_ = Text(k);
      }
    }
  }

  void Token(size_t k) {
    const JsToken& t = tokens_[k];
    const std::string_view text = Text(k);
    switch (t.kind) {
      case JsTokenKind::Comment:
        if (text.substr(0, 4) == "<!--" || text.substr(0, 3) == "-->") Newer(t.line);
        return;
      case JsTokenKind::Template:
        if (text.front() == '}') Close('}', t.line);
        if (text.back() == '{' && t.closed) open_.push_back({'{', 0, t.line});
        return;
      case JsTokenKind::Regex:
        for (size_t f = text.rfind('/') + 1; f < text.size(); ++f)
          if (text[f] == 's' || text[f] == 'd' || text[f] == 'v') Newer(t.line);
        return;
      case JsTokenKind::Number:
        if (text.find('_') != std::string_view::npos || text.back() == 'n') Newer(t.line);
        return;
      case JsTokenKind::PrivateName: return Newer(t.line);
      case JsTokenKind::Word: return Word(k);
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

  void Word(size_t k) {
    const std::string_view word = Text(k);
    const int line = tokens_[k].line;
    if (previous_ == "." || previous_ == "?.") return;
    const char next = NextChar(k);
    if (word == "async") Newer(line);  // valid `await` always follows one
    if (word == "catch" && next == '{') Newer(line);
    if (word == "import" && (next == '(' || next == '.')) Newer(line);
    if (word == "class") pending_class_ = line;
    if (word == "static" && next == '{' && InClassBody()) Newer(open_.back().class_line);
  }

  std::string_view s_;
  std::vector<JsToken> tokens_;
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
