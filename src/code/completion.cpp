#include "code/completion.h"

#include <vector>

namespace vorlane {

namespace {

int CountChars(std::string_view text) {
  int count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

// Whether `word` begins with `prefix` (already folded), ignoring case; ASCII
// words are compared in place, without a folded copy.
bool StartsWithFolded(const std::string& word, const std::string& prefix) {
  if (word.size() < prefix.size()) return false;
  bool ascii = true;
  for (size_t i = 0; i < prefix.size() && ascii; ++i) {
    const unsigned char c = static_cast<unsigned char>(word[i]);
    if (c >= 0x80 || static_cast<unsigned char>(prefix[i]) >= 0x80) {
      ascii = false;
    } else if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != static_cast<unsigned char>(prefix[i])) {
      return false;
    }
  }
  return ascii || FoldCase(word).compare(0, prefix.size(), prefix) == 0;
}

bool IsIdentifierChar(char32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

}  // namespace

CompletionChoice ComputeCompletion(const EditorStyling& editor, std::string_view line, int caret) {
  CompletionChoice choice;
  if (line.empty() || !(editor.features & kCompletionOn)) return choice;
  // Measuring changes no state, so a const editor serves.
  EditorStyling& measuring = const_cast<EditorStyling&>(editor);
  const int length = static_cast<int>(line.size());
  int pos = 0;
  Token token;
  while (pos < length) {
    token = StyleToken(measuring, line.data() + pos, length - pos, nullptr);
    if (pos + token.length >= caret) break;
    pos += token.length;
  }
  if (pos >= length) return choice;
  const std::string_view typed = line.substr(pos, token.length);
  if (CountChars(typed) < editor.min_completion_length) return choice;
  const bool case_sensitive = editor.options & kCaseSensitive;
  const std::string prefix = case_sensitive ? std::string(typed) : FoldCase(typed);
  const WordTable& words = editor.words;
  for (size_t i = 0; i < words.size(); ++i) {
    const EditorWord& w = words[i];
    if (!(w.flags & kWordComplete)) continue;
    const bool match = case_sensitive ? w.word.compare(0, prefix.size(), prefix) == 0 &&
                                            w.word.size() >= prefix.size()
                                      : StartsWithFolded(w.word, prefix);
    if (!match) continue;
    if (!choice.list.empty()) choice.list += ' ';
    choice.list += w.word;
  }
  const std::string shown = case_sensitive ? choice.list : FoldCase(choice.list);
  choice.show = !choice.list.empty() && shown != prefix;
  choice.typed_length = token.length;
  if (!choice.show) choice.list.clear();
  return choice;
}

int FindKeywordInLine(const KeywordList& keywords, std::string_view line, int caret_char) {
  // Characters with their byte offsets; only ASCII ones can be identifier
  // characters, so a lead byte stands for its whole character.
  std::vector<int> offsets;
  std::vector<char32_t> chars;
  for (int i = 0; i < static_cast<int>(line.size()); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if ((c & 0xC0) == 0x80) continue;
    offsets.push_back(i);
    chars.push_back(c);
  }
  const int count = static_cast<int>(chars.size());
  auto is_ident = [&](int index) {
    return index >= 0 && index < count && IsIdentifierChar(chars[index]);
  };
  // 0-based index of the character after the caret.
  int start = 0;
  if (is_ident(caret_char)) {
    start = caret_char;
    while (is_ident(start - 1)) --start;
  }
  int i = start;
  while (i < count && !is_ident(i)) ++i;
  int end = i;
  while (is_ident(end)) ++end;
  if (end == i) return -1;
  const int from = offsets[i];
  const int to = end < count ? offsets[end] : static_cast<int>(line.size());
  return FindKeywordWithHelp(keywords, line.substr(from, to - from));
}

}  // namespace vorlane
