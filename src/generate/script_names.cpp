#include "generate/script_names.h"

#include <algorithm>
#include <initializer_list>

#include "project/js_tokens.h"

namespace vorlane {
namespace {

// What an open bracket holds.
enum class Group { Block, Object, Class, Pattern, Params, Paren, Square, Template };

bool OneOf(std::string_view text, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

class Reader {
 public:
  Reader(std::string_view code, bool parameter_list) : s_(code) {
    for (const JsToken& t : JsTokens(code))
      if (!IsSpace(t)) tokens_.push_back(t);
    MatchBrackets();
    if (parameter_list) open_.push_back(Group::Params);
  }

  std::vector<ScriptName> Run() {
    for (size_t k = 0; k < tokens_.size(); ++k) {
      const JsToken& t = tokens_[k];
      if (t.kind == JsTokenKind::Word) Word(k);
      else if (t.kind == JsTokenKind::Punct) Punct(k);
      else if (t.kind == JsTokenKind::Template) TemplateText(k);
      else EndDeclarationAtLineBreak(k);
    }
    return std::move(names_);
  }

 private:
  std::string_view Text(size_t k) const {
    return k < tokens_.size() ? tokens_[k].Text(s_) : std::string_view();
  }
  std::string_view Previous(size_t k) const { return k > 0 ? Text(k - 1) : std::string_view(); }
  Group Inner() const { return open_.empty() ? Group::Block : open_.back(); }
  bool IsPunct(size_t k, std::initializer_list<std::string_view> list) const {
    return k < tokens_.size() && tokens_[k].kind == JsTokenKind::Punct && OneOf(Text(k), list);
  }

  // For each opening bracket, where its closing one is.
  void MatchBrackets() {
    match_.assign(tokens_.size(), tokens_.size());
    std::vector<size_t> stack;
    for (size_t k = 0; k < tokens_.size(); ++k) {
      const std::string_view text = Text(k);
      const bool punct = tokens_[k].kind == JsTokenKind::Punct;
      const bool resumes = tokens_[k].kind == JsTokenKind::Template && text.front() == '}';
      if ((punct && OneOf(text, {")", "]", "}"})) || resumes) {
        if (!stack.empty()) match_[stack.back()] = k, stack.pop_back();
      }
      if ((punct && OneOf(text, {"(", "[", "{"})) ||
          (tokens_[k].kind == JsTokenKind::Template && text.back() == '{' && tokens_[k].closed))
        stack.push_back(k);
    }
  }

  // A value ends the token before; a word on a new line then starts a
  // statement, which ends a `var` list without its semicolon.
  void EndDeclarationAtLineBreak(size_t k) {
    if (declaring_ < 0 || k == 0 || tokens_[k].line == tokens_[k - 1].line) return;
    if (static_cast<int>(open_.size()) != declaring_ || expect_binding_) return;
    const JsToken& before = tokens_[k - 1];
    const bool value = before.kind != JsTokenKind::Punct || OneOf(Text(k - 1), {")", "]", "}"});
    if (value && !IsPunct(k, {",", "=", "."})) declaring_ = -1;
  }

  void TemplateText(size_t k) {
    const std::string_view text = Text(k);
    if (text.front() == '}' && !open_.empty()) open_.pop_back();
    if (text.back() == '{' && tokens_[k].closed) open_.push_back(Group::Template);
  }

  // Whether the `(` at k opens a parameter list (or a catch binding).
  bool OpensParams(size_t k) const {
    const size_t close = match_[k];
    if (IsPunct(close + 1, {"=>"})) return true;
    if (k == 0 || tokens_[k - 1].kind != JsTokenKind::Word) return false;
    const std::string_view before = Previous(k);
    if (before == "function" || before == "catch") return true;
    if (OneOf(before, {"if", "while", "for", "switch", "with", "return", "typeof", "await", "new",
                       "in", "of", "void", "delete", "case", "yield", "throw"}))
      return false;
    return IsPunct(close + 1, {"{"});  // function f(a) {, a method m(a) {
  }

  Group BraceGroup(size_t k) const {
    if (class_pending_) return Group::Class;
    if (k == 0) return Group::Block;
    const JsToken& before = tokens_[k - 1];
    const std::string_view text = Previous(k);
    if (before.kind == JsTokenKind::Template) return Group::Object;
    if (before.kind == JsTokenKind::Word)
      return WordStartsExpression(text) && !OneOf(text, {"do", "else"}) ? Group::Object
                                                                          : Group::Block;
    if (before.kind != JsTokenKind::Punct) return Group::Block;
    return OneOf(text, {")", "]", "}", "{", ";", "=>"}) ? Group::Block : Group::Object;
  }

  void Punct(size_t k) {
    const std::string_view p = Text(k);
    const int depth = static_cast<int>(open_.size());
    const bool in_pattern = Inner() == Group::Pattern || Inner() == Group::Params;
    if (p == "{" || p == "[") {
      const bool binds = (expect_binding_ && depth == declaring_) ||
                         (in_pattern && IsPunct(k - 1, {"(", ",", "...", ":", "[", "{"}));
      expect_binding_ = false;
      if (binds) open_.push_back(Group::Pattern);
      else if (p == "[") open_.push_back(Group::Square);
      else open_.push_back(BraceGroup(k));
      class_pending_ = false;
      return;
    }
    if (p == "(") {
      open_.push_back(OpensParams(k) ? Group::Params : Group::Paren);
      return;
    }
    if (p == ")" || p == "]" || p == "}") {
      if (!open_.empty()) open_.pop_back();
      if (static_cast<int>(open_.size()) < declaring_) declaring_ = -1;
      return;
    }
    if (depth != declaring_) return;
    if (p == ",") expect_binding_ = true;
    if (p == ";") declaring_ = -1;
  }

  void Word(size_t k) {
    const std::string_view word = Text(k);
    ScriptName name{tokens_[k].begin, tokens_[k].end, tokens_[k].line, NameRole::Use};
    name.role = Role(k);
    name.assigned = name.role == NameRole::Use &&
                    IsPunct(k + 1, {"=", "+=", "-=", "*=", "/=", "%=", "**=", "<<=", ">>=", ">>>=",
                                    "&=", "|=", "^=", "&&=", "||=", "?\?=", "++", "--"});
    const bool starts_line = k == 0 || tokens_[k].line != tokens_[k - 1].line;
    name.label = name.role == NameRole::Use &&
                 ((IsPunct(k + 1, {":"}) && (starts_line || IsPunct(k - 1, {";", "{", "}"}))) ||
                  OneOf(Previous(k), {"break", "continue"}));
    name.tested = Previous(k) == "typeof";
    names_.push_back(name);
    EndDeclarationAtLineBreak(k);
    const bool member = IsPunct(k - 1, {".", "?."});
    if (expect_binding_ && static_cast<int>(open_.size()) == declaring_) expect_binding_ = false;
    if (member) return;
    if (OneOf(word, {"var", "let", "const"})) {
      declaring_ = static_cast<int>(open_.size());
      expect_binding_ = true;
    }
    if ((word == "of" || word == "in") && static_cast<int>(open_.size()) == declaring_)
      declaring_ = -1;
    if (word == "class") class_pending_ = true;
  }

  NameRole Role(size_t k) const {
    if (k > 0 && IsPunct(k - 1, {".", "?."})) return NameRole::Member;
    const std::string_view before = Previous(k);
    const Group inner = Inner();
    if (expect_binding_ && static_cast<int>(open_.size()) == declaring_) return NameRole::Declaration;
    if (OneOf(before, {"function", "class"}) ||
        (before == "*" && k > 1 && Text(k - 2) == "function"))
      return NameRole::Declaration;
    if (IsPunct(k + 1, {"=>"})) return NameRole::Declaration;
    const bool listed = IsPunct(k - 1, {"(", "[", "{", ",", "..."}) || k == 0;
    // A function resource's parameter list ends with its text.
    const bool ends = IsPunct(k + 1, {",", ")", "]", "}", "="}) || k + 1 == tokens_.size();
    if (inner == Group::Pattern || inner == Group::Params) {
      if (inner == Group::Pattern && IsPunct(k + 1, {":"})) return NameRole::Key;
      if ((listed || IsPunct(k - 1, {":"})) && ends) return NameRole::Declaration;
    }
    if (inner == Group::Object && IsPunct(k - 1, {"{", ","})) {
      if (IsPunct(k + 1, {":", "("})) return NameRole::Key;
      if (IsPunct(k + 1, {",", "}"})) return NameRole::Shorthand;
    }
    if (inner == Group::Object && OneOf(before, {"get", "set", "async", "*"}) &&
        IsPunct(k + 1, {"("}))
      return NameRole::Key;
    if (inner == Group::Class && OneOf(before, {"{", "}", ";", "static", "get", "set", "async", "*"}))
      return NameRole::Key;
    return NameRole::Use;
  }

  std::string_view s_;
  std::vector<JsToken> tokens_;  // without blanks, line breaks and comments
  std::vector<size_t> match_;
  std::vector<Group> open_;
  std::vector<ScriptName> names_;
  int declaring_ = -1;  // the depth of the var/let/const list being read, -1 when none
  bool expect_binding_ = false;
  bool class_pending_ = false;
};

}  // namespace

std::vector<ScriptName> ScriptNames(std::string_view code, bool parameter_list) {
  return Reader(code, parameter_list).Run();
}

}  // namespace vorlane
