#include "project/js_tokens.h"

#include <algorithm>
#include <array>

namespace vorlane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Longest first, so that the first match is the whole operator.
constexpr std::array<std::string_view, 33> kOperators = {
    ">>>=", "...", "===", "!==", "**=", "<<=", ">>=", ">>>", "&&=", "||=", "?\?=", "=>", "==",
    "!=",   "<=",  ">=",  "&&",  "||",  "??",  "?.",  "++",  "--",  "+=",  "-=",  "*=", "%=",
    "&=",   "|=",  "^=",  "**",  "<<",  ">>",  "/="};
constexpr std::string_view kOperatorStarts = "<>=!*&|?.+-/%^";

}  // namespace

size_t JsTokenizer::ToLineEnd(size_t k) const {
  while (k < s_.size() && !JsLineBreakAt(s_, k)) ++k;
  return k;
}

size_t JsTokenizer::WordEnd(size_t k) const {
  while (k < s_.size() && IsIdentifierByte(s_[k]) && !JsLineBreakAt(s_, k)) ++k;
  return k;
}

// Fills the token from here to `end`, counting the line breaks passed over.
void JsTokenizer::Add(JsTokenKind kind, size_t end, bool closed) {
  JsToken& token = *token_;
  token.kind = kind;
  token.begin = i_;
  token.end = end;
  token.line = line_;
  token.closed = closed;
  if (kind == JsTokenKind::Comment || kind == JsTokenKind::Template ||
      kind == JsTokenKind::String || kind == JsTokenKind::LineBreak) {
    for (size_t k = i_; k < end;) {
      const size_t n = JsLineBreakAt(s_, k);
      line_ += n ? 1 : 0;
      k += n ? n : 1;
    }
  }
  i_ = end;
  if (kind == JsTokenKind::LineBreak) line_start_ = true;
  else if (kind != JsTokenKind::Blank && kind != JsTokenKind::Comment) line_start_ = false;
  if (!IsSpace(token)) last_ = token, has_last_ = true;
}

// Whether a slash here starts a regular expression.
bool JsTokenizer::RegexAllowed() const {
  if (!has_last_) return true;
  const std::string_view text = last_.Text(s_);
  switch (last_.kind) {
    case JsTokenKind::Word: return WordStartsExpression(text);
    case JsTokenKind::Punct: return text != ")" && text != "]" && text != "}";
    case JsTokenKind::Template: return text.back() == '{';
    default: return false;
  }
}

bool JsTokenizer::Next(JsToken& token) {
  if (i_ >= s_.size()) return false;
  token_ = &token;
  const char c = s_[i_];
  if (i_ == 0 && s_.substr(0, 2) == "#!") {  // a script's first line
    Add(JsTokenKind::Comment, ToLineEnd(0));
  } else if (const size_t n = JsLineBreakAt(s_, i_)) {
    Add(JsTokenKind::LineBreak, i_ + n);
  } else if (c == ' ' || c == '\t' || c == '\v' || c == '\f') {
    size_t k = i_;
    while (k < s_.size() && (s_[k] == ' ' || s_[k] == '\t' || s_[k] == '\v' || s_[k] == '\f')) ++k;
    Add(JsTokenKind::Blank, k);
  } else if (c == '/' && At(i_ + 1) == '/') {
    Add(JsTokenKind::Comment, ToLineEnd(i_));
  } else if (c == '/' && At(i_ + 1) == '*') {
    const size_t end = s_.find("*/", i_ + 2);
    if (end == std::string_view::npos) Add(JsTokenKind::Comment, s_.size(), false);
    else Add(JsTokenKind::Comment, end + 2);
  } else if (s_.substr(i_, 4) == "<!--" || (s_.substr(i_, 3) == "-->" && line_start_)) {
    // A comment in the manner of old pages, which browsers still take.
    Add(JsTokenKind::Comment, ToLineEnd(i_));
  } else if (c == '\'' || c == '"') {
    Quoted(c);
  } else if (c == '`') {
    TemplateText();
  } else if (c == '}' && !templates_.empty() && templates_.back() == braces_) {
    templates_.pop_back();
    TemplateText();
  } else if (c == '/' && RegexAllowed()) {
    Regex();
  } else if (IsDigit(c) || (c == '.' && IsDigit(At(i_ + 1)))) {
    Number();
  } else if (IsIdentifierByte(c)) {
    Add(JsTokenKind::Word, WordEnd(i_));
  } else if (c == '#' && IsIdentifierByte(At(i_ + 1)) && !JsLineBreakAt(s_, i_ + 1)) {
    Add(JsTokenKind::PrivateName, WordEnd(i_ + 1));
  } else {
    braces_ += c == '{' ? 1 : c == '}' ? -1 : 0;
    size_t length = 1;
    if (kOperatorStarts.find(c) != std::string_view::npos) {
      for (const std::string_view op : kOperators) {
        // `a?.5:b` is a conditional, not a chain.
        if (op[0] == c && s_.substr(i_, op.size()) == op && !(op == "?." && IsDigit(At(i_ + 2)))) {
          length = op.size();
          break;
        }
      }
    }
    Add(JsTokenKind::Punct, i_ + length);
  }
  return true;
}

void JsTokenizer::Quoted(char quote) {
  size_t k = i_ + 1;
  while (k < s_.size() && s_[k] != quote && s_[k] != '\n' && s_[k] != '\r') {
    if (s_[k] == '\\') k += JsLineBreakAt(s_, k + 1) ? JsLineBreakAt(s_, k + 1) : 1;
    ++k;
  }
  k = std::min(k, s_.size());
  const bool closed = k < s_.size() && s_[k] == quote;
  Add(JsTokenKind::String, closed ? k + 1 : k, closed);
}

// From a backquote or the `}` that ends a `${ }` to the next backquote or `${`.
void JsTokenizer::TemplateText() {
  size_t k = i_ + 1;
  while (k < s_.size() && s_[k] != '`' && !(s_[k] == '$' && At(k + 1) == '{'))
    k += s_[k] == '\\' ? 2 : 1;
  if (k >= s_.size()) return Add(JsTokenKind::Template, s_.size(), false);
  if (s_[k] == '`') return Add(JsTokenKind::Template, k + 1);
  templates_.push_back(braces_);
  Add(JsTokenKind::Template, k + 2);
}

void JsTokenizer::Regex() {
  size_t k = i_ + 1;
  bool in_class = false;
  while (k < s_.size() && !JsLineBreakAt(s_, k) && (in_class || s_[k] != '/')) {
    if (s_[k] == '\\' && k + 1 < s_.size() && !JsLineBreakAt(s_, k + 1)) ++k;
    else if (s_[k] == '[') in_class = true;
    else if (s_[k] == ']') in_class = false;
    ++k;
  }
  const bool closed = k < s_.size() && s_[k] == '/';
  Add(JsTokenKind::Regex, closed ? WordEnd(k + 1) : k, closed);
}

void JsTokenizer::Number() {
  size_t k = i_;
  const bool radix =
      s_[k] == '0' && std::string_view("xXoObB").find(At(k + 1)) != std::string_view::npos;
  if (!radix) {
    while (k < s_.size() && (IsDigit(s_[k]) || s_[k] == '_')) ++k;
    if (At(k) == '.') ++k;
    while (k < s_.size() && (IsDigit(s_[k]) || s_[k] == '_')) ++k;
    if ((At(k) == 'e' || At(k) == 'E') &&
        (IsDigit(At(k + 1)) || ((At(k + 1) == '+' || At(k + 1) == '-') && IsDigit(At(k + 2)))))
      k += 2;
  }
  // Hex digits, the BigInt `n`, and what is left of the exponent.
  Add(JsTokenKind::Number, WordEnd(k));
}

size_t JsLineBreakAt(std::string_view text, size_t i) {
  if (i >= text.size()) return 0;
  const char c = text[i];
  if (c == '\n') return 1;
  if (c == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  const std::string_view rest = text.substr(i + 1, 2);
  if (c == '\xe2' && (rest == "\x80\xa8" || rest == "\x80\xa9")) return 3;
  return 0;
}

bool WordStartsExpression(std::string_view word) {
  static constexpr std::string_view kWords[] = {
      "return", "typeof", "instanceof", "in", "of", "new",  "delete", "void",
      "throw",  "case",   "do",         "else", "yield", "await"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

std::vector<JsToken> JsTokens(std::string_view code) {
  std::vector<JsToken> tokens;
  tokens.reserve(code.size() / 3 + 1);
  JsTokenizer tokenizer(code);
  for (JsToken token; tokenizer.Next(token);) tokens.push_back(token);
  return tokens;
}

}  // namespace vorlane
