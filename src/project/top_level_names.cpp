#include "project/top_level_names.h"

#include <unordered_set>

#include "project/js_tokens.h"

namespace vorlane {
namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool IdStart(char c) { return IsIdentifierByte(c) && !Digit(c); }

bool OneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words)
    if (w == word) return true;
  return false;
}

// Reads the script token by token, far enough to know where each
// declaration stands: inside a function body or not, and at the top level
// or in a block.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::vector<std::string> Run() {
    while (pos_ < text_.size()) Step();
    return std::move(names_.list);
  }

 private:
  // Parentheses after if, for, while, switch, catch and with are followed by
  // a block; any others before a brace are a parameter list.
  enum class Open { ControlParen, Paren, Bracket, Block, Function, Template };
  enum class Prev { None, Value, Word, Punct };

  void Step() {
    const char c = text_[pos_];
    if (c == '\n' || c == '\r' || c == ' ' || c == '\t' || c == '\f' || c == '\v') {
      ++pos_;
    } else if (text_.compare(pos_, 2, "//") == 0) {
      SkipTo("\n", false);
    } else if (text_.compare(pos_, 2, "/*") == 0) {
      SkipTo("*/", true);
    } else if (c == '\'' || c == '"') {
      SkipString(c);
    } else if (c == '`') {
      ++pos_;
      SkipTemplate();
    } else if (c == '/' && RegexMayStart()) {
      SkipRegex();
    } else if (IdStart(c)) {
      Word();
    } else if (Digit(c) || (c == '.' && pos_ + 1 < text_.size() && Digit(text_[pos_ + 1]))) {
      SkipNumber();
    } else {
      Punct(c);
    }
  }

  void SkipTo(std::string_view end, bool past) {
    const size_t found = text_.find(end, pos_ + 2);
    pos_ = found == std::string_view::npos ? text_.size() : found + (past ? end.size() : 0);
  }

  void SkipString(char quote) {
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != quote && text_[pos_] != '\n') {
      if (text_[pos_] == '\\') ++pos_;
      ++pos_;
    }
    ++pos_;
    Value();
  }

  // From inside a template text to its end or to the next ${.
  void SkipTemplate() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '\\') {
        ++pos_;
      } else if (c == '`') {
        break;
      } else if (c == '$' && pos_ < text_.size() && text_[pos_] == '{') {
        ++pos_;
        Push(Open::Template);
        prev_ = Prev::Punct;
        prev_text_ = "{";
        return;
      }
    }
    Value();
  }

  bool RegexMayStart() const {
    switch (prev_) {
      case Prev::None: return true;
      case Prev::Value: return false;
      case Prev::Word:
        return OneOf(prev_text_, {"return", "typeof", "instanceof", "in", "of", "new", "delete",
                                  "void", "throw", "case", "do", "else", "yield", "await"});
      case Prev::Punct: return prev_text_ != ")" && prev_text_ != "]";
    }
    return true;
  }

  // A regular expression ends on its line; one that does not was a division.
  void SkipRegex() {
    size_t at = pos_ + 1;
    bool in_class = false;
    for (; at < text_.size() && text_[at] != '\n'; ++at) {
      const char c = text_[at];
      if (c == '\\') {
        ++at;
      } else if (c == '[') {
        in_class = true;
      } else if (c == ']') {
        in_class = false;
      } else if (c == '/' && !in_class) {
        break;
      }
    }
    if (at >= text_.size() || text_[at] != '/') {
      Punct('/');
      return;
    }
    pos_ = at + 1;
    while (pos_ < text_.size() && IsIdentifierByte(text_[pos_])) ++pos_;
    Value();
  }

  void SkipNumber() {
    const size_t start = pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      const bool exponent_sign = (c == '+' || c == '-') && pos_ > start &&
                                 (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E') &&
                                 !(text_.size() > start + 1 && text_[start] == '0' &&
                                   (text_[start + 1] == 'x' || text_[start + 1] == 'X'));
      if (!IsIdentifierByte(c) && c != '.' && !exponent_sign) break;
      ++pos_;
    }
    Value();
  }

  // The next character that is not a blank, 0 at the end.
  char NextSignificant() const {
    for (size_t at = pos_; at < text_.size(); ++at)
      if (text_[at] != ' ' && text_[at] != '\t' && text_[at] != '\n' && text_[at] != '\r')
        return text_[at];
    return 0;
  }

  void Word() {
    const size_t start = pos_;
    while (pos_ < text_.size() && IsIdentifierByte(text_[pos_])) ++pos_;
    const std::string_view word = text_.substr(start, pos_ - start);
    const bool property = prev_ == Prev::Punct && prev_text_ == ".";
    if (expect_name_) {
      expect_name_ = false;
      if (!property) names_.Add(word);
    } else if (!property && NextSignificant() != ':') {
      Keyword(word);
    }
    prev_ = Prev::Word;
    prev_text_ = word;
  }

  void Keyword(std::string_view word) {
    const bool statement_start = prev_ == Prev::None ||
                                 (prev_ == Prev::Punct && OneOf(prev_text_, {";", "{", "}"})) ||
                                 (prev_ == Prev::Word && prev_text_ == "async");
    if ((word == "var" && functions_ == 0) ||
        ((word == "let" || word == "const") && open_.empty())) {
      declaration_depth_ = static_cast<int>(open_.size());
      expect_name_ = true;
    } else if ((word == "function" && functions_ == 0 && statement_start) ||
               (word == "class" && open_.empty() && statement_start)) {
      expect_name_ = true;
    }
  }

  void Punct(char c) {
    std::string_view token = text_.substr(pos_, 1);
    if (text_.compare(pos_, 2, "=>") == 0) token = text_.substr(pos_, 2);
    pos_ += token.size();
    // A generator's star stands between `function` and its name.
    if (expect_name_ && c != '*') {
      expect_name_ = false;
      declaration_depth_ = -1;  // a pattern or not a declaration after all
    }
    const int depth = static_cast<int>(open_.size());
    switch (c) {
      case '(':
        Push(prev_ == Prev::Word &&
                     OneOf(prev_text_, {"if", "for", "while", "switch", "catch", "with"})
                 ? Open::ControlParen
                 : Open::Paren);
        break;
      case '[': Push(Open::Bracket); break;
      case '{':
        Push((prev_ == Prev::Punct && prev_text_ == ")" && last_paren_ == Open::Paren) ||
                     (prev_ == Prev::Punct && prev_text_ == "=>")
                 ? Open::Function
                 : Open::Block);
        break;
      case ')':
        if (Top(Open::ControlParen) || Top(Open::Paren)) last_paren_ = Pop();
        break;
      case ']':
        if (Top(Open::Bracket)) Pop();
        break;
      case '}':
        if (Top(Open::Template)) {
          Pop();
          SkipTemplate();
          return;
        }
        if (Top(Open::Block) || Top(Open::Function)) Pop();
        break;
      case ',':
        if (depth == declaration_depth_) expect_name_ = true;
        break;
      case ';':
        if (depth == declaration_depth_) declaration_depth_ = -1;
        break;
      default: break;
    }
    prev_ = Prev::Punct;
    prev_text_ = token;
  }

  void Value() { prev_ = Prev::Value; }

  void Push(Open open) {
    open_.push_back(open);
    if (open == Open::Function) ++functions_;
  }
  bool Top(Open open) const { return !open_.empty() && open_.back() == open; }
  Open Pop() {
    const Open open = open_.back();
    open_.pop_back();
    if (open == Open::Function) --functions_;
    if (static_cast<int>(open_.size()) < declaration_depth_) declaration_depth_ = -1;
    return open;
  }

  struct Names {
    void Add(std::string_view name) {
      if (seen.emplace(name).second) list.emplace_back(name);
    }
    std::unordered_set<std::string> seen;
    std::vector<std::string> list;
  };

  std::string_view text_;
  size_t pos_ = 0;
  std::vector<Open> open_;
  int functions_ = 0;              // function bodies in `open_`
  Open last_paren_ = Open::Paren;  // the kind of the last parenthesis closed
  int declaration_depth_ = -1;     // where a var, let or const list goes on; -1 none
  bool expect_name_ = false;       // the next word is a declared name
  Prev prev_ = Prev::None;
  std::string_view prev_text_;
  Names names_;
};

}  // namespace

std::vector<std::string> TopLevelNames(std::string_view script) { return Scanner(script).Run(); }

}  // namespace vorlane
