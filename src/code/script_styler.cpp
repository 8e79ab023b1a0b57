#include "code/script_styler.h"

#include <cstring>

namespace vorlane {

namespace {

// Length of `bytes` without its trailing CR and LF bytes.
int WithoutLineEnd(const char* bytes, int length) {
  while (length > 0 && (bytes[length - 1] == '\n' || bytes[length - 1] == '\r')) --length;
  return length;
}

}  // namespace

int StyleScriptLine(EditorStyling& editor, StyledDocument& document, const char* bytes, int length,
                    int line, int first_line, int last_line) {
  int in_comment = line > 0 ? document.GetLineState(line - 1) : 0;
  int pos = 0;
  while (pos < length) {
    if (in_comment) {
      int end = length;
      const char* close = nullptr;
      for (int i = pos; i + 1 < length; ++i) {
        if (bytes[i] == '*' && bytes[i + 1] == '/') {
          close = bytes + i;
          break;
        }
      }
      if (close) {
        end = static_cast<int>(close - bytes) + 2;
        in_comment = 0;
      } else {
        end = pos + WithoutLineEnd(bytes + pos, length - pos);
      }
      if (end > pos) document.SetStyling(end - pos, kStyleComment);
      pos = end;
    }
    bool after_blank = true;
    while (pos < length) {
      if (bytes[pos] == '/' && length - pos >= 2) {
        if (after_blank && bytes[pos + 1] == '/') {
          const int end = WithoutLineEnd(bytes, length);
          document.SetStyling(end - pos, kStyleComment);
          pos = end;
          continue;
        }
        if (bytes[pos + 1] == '*') {
          document.SetStyling(2, kStyleComment);
          pos += 2;
          in_comment = 1;
          break;
        }
      }
      const char first = bytes[pos];
      pos += StyleToken(editor, bytes + pos, length - pos, &document).length;
      after_blank = first == ' ' || first == '\t' || first == ';';
    }
  }
  if (document.GetLineState(line) != in_comment) {
    document.SetLineState(line, in_comment);
    return 1;
  }
  return 0;
}

namespace {

// Words of one registration: every name joined by spaces, which the word
// table splits again. A kind registered at once sorts once instead of once
// per name, with the same outcome.
template <typename List, typename Filter>
std::string JoinNames(const List& list, Filter keep) {
  std::string text;
  for (const auto& record : list) {
    if (!keep(record)) continue;
    if (!text.empty()) text += ' ';
    text += record.name;
  }
  return text;
}

template <typename List>
std::string JoinNames(const List& list) {
  return JoinNames(list, [](const auto&) { return true; });
}

int StyleOfClass(const std::string& class_) {
  if (class_ == "Fn") return kStyleEngineFunction;
  if (class_ == "Var") return kStyleEngineVariable;
  if (class_ == "Cons") return kStyleEngineConstant;
  return -1;
}

}  // namespace

void ConfigureScriptStyling(EditorStyling& editor, const Project& project, const KeywordList& keywords) {
  AddDelimiter(editor, "\"", "\"", kWordPaired, kStyleString);
  AddDelimiter(editor, "'", "'", kWordPaired, kStyleString);
  AddDelimiter(editor, "(", "", kWordCallMark, kStyleFunction);
  AddDelimiter(editor, ")", "", 0, kStyleFunction);

  // Every registration below asks for a sorted list; with unique keys one
  // sort at the end gives the same order as sorting after each.
  AddKeywords(editor, kScriptKeywords, kStyleKeyword, kWordComplete, false);
  AddKeywords(editor, "{", kStyleKeyword, kWordFoldOpen, false);
  AddKeywords(editor, "}", kStyleKeyword, kWordFoldClose, false);

  const auto is_object = [](const GameObject& o) { return o.prototype == 1; };
  for (const std::string& names :
       {JoinNames(project.sprites), JoinNames(project.sounds), JoinNames(project.musics),
        JoinNames(project.backgrounds), JoinNames(project.fonts),
        JoinNames(project.objects, is_object), JoinNames(project.scenes), JoinNames(project.fns)}) {
    AddKeywords(editor, names, kStyleResource, kWordComplete, false);
  }

  // Consecutive records of one class go in together; the order of
  // registration, and so which style wins for a repeated name, is kept.
  std::string run;
  int run_style = -1;
  for (const KeywordRecord& record : keywords) {
    const int style = StyleOfClass(record.class_);
    if (style < 0) continue;
    if (style != run_style && !run.empty()) {
      AddKeywords(editor, run, run_style, kWordComplete, false);
      run.clear();
    }
    run_style = style;
    if (!run.empty()) run += ' ';
    run += record.name;
  }
  if (!run.empty()) AddKeywords(editor, run, run_style, kWordComplete, false);
  editor.words.Sort();

  editor.SetOperators(kScriptOperators);
  editor.number_style = kStyleNumber;
  editor.features = kStylingOn | kCompletionOn | kFoldingOn | kAutoIndent;
  editor.line_styler = StyleScriptLine;
}

}  // namespace vorlane
