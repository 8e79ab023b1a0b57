// One reading of how JavaScript text splits into tokens, shared by the
// syntax check's scan, the uses of a name in code and the code editor.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vorlane {

enum class JsTokenKind {
  Blank,        // spaces and tabs
  LineBreak,    // LF, CR, CR LF, U+2028, U+2029
  Comment,      // `//`, `/* */`, and the old pages' `<!--` and `-->` to the line's end
  String,       // '...' or "..."
  Template,     // a template's text: "`a${", "}b${", "}c`" or "`abc`"; `${ }` holds code
  Regex,        // a regular expression with its flags
  Number,
  Word,         // an identifier or a keyword
  PrivateName,  // #name
  Punct,        // an operator or a bracket
};

struct JsToken {
  JsTokenKind kind = JsTokenKind::Blank;
  size_t begin = 0;  // byte offsets in the text
  size_t end = 0;
  int line = 1;         // 1-based, where the token starts
  bool closed = true;   // a string, comment, template text or regular expression ends in the text

  std::string_view Text(std::string_view code) const { return code.substr(begin, end - begin); }
};

// An identifier's byte: ASCII letters, digits, '_' and '$', and every byte of
// a character beyond ASCII (what is a letter there is the parser's business).
inline bool IsIdentifierByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

// The length of the line break at `text[i]` as a browser reads scripts (LF,
// CR, CR LF, and the separators U+2028 and U+2029), 0 when there is none.
size_t JsLineBreakAt(std::string_view text, size_t i);

// The words after which a slash starts a regular expression rather than
// dividing: the ones that start an expression.
bool WordStartsExpression(std::string_view word);

// Reads the tokens of a text one by one, in order, covering it exactly.
class JsTokenizer {
 public:
  explicit JsTokenizer(std::string_view code) : s_(code) {}
  // The next token; false at the end of the text.
  bool Next(JsToken& token);

 private:
  char At(size_t k) const { return k < s_.size() ? s_[k] : '\0'; }
  size_t ToLineEnd(size_t k) const;
  size_t WordEnd(size_t k) const;
  bool RegexAllowed() const;
  void Add(JsTokenKind kind, size_t end, bool closed = true);
  void Quoted(char quote);
  void TemplateText();
  void Regex();
  void Number();

  std::string_view s_;
  size_t i_ = 0;
  int line_ = 1;
  bool line_start_ = true;
  JsToken* token_ = nullptr;    // the one being read
  JsToken last_;                // the last that is not blank, line break or comment
  bool has_last_ = false;
  int braces_ = 0;              // `{` open in code
  std::vector<int> templates_;  // per open `${`: braces_ when it opened
};

// Every token of `code`, in order, covering it exactly.
std::vector<JsToken> JsTokens(std::string_view code);

// True for blanks, line breaks and comments.
inline bool IsSpace(const JsToken& token) {
  return token.kind == JsTokenKind::Blank || token.kind == JsTokenKind::LineBreak ||
         token.kind == JsTokenKind::Comment;
}

}  // namespace vorlane
