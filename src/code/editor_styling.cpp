#include "code/editor_styling.h"

#include <algorithm>

namespace vorlane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length in bytes of the UTF-8 character that starts at `p` (at least 1);
// a broken sequence counts byte by byte so no ASCII byte is swallowed.
int CharLength(const char* p, int remaining) {
  const unsigned char lead = static_cast<unsigned char>(*p);
  const int expected = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  int n = 1;
  while (n < expected && n < remaining && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
  return n;
}

// Start of the last UTF-8 character of a non-empty run.
int LastCharStart(const char* p, int length) {
  int i = length - 1;
  while (i > 0 && (static_cast<unsigned char>(p[i]) & 0xC0) == 0x80 && length - i < 4) --i;
  return i;
}

}  // namespace

void EditorStyling::SetOperators(std::string_view text) {
  operators = std::string(text);
  operator_bytes.fill(false);
  for (unsigned char c : operators) operator_bytes[c] = true;
}

SeparatorTest IsSeparatorChar(const EditorStyling& editor, unsigned char byte) {
  SeparatorTest test;
  test.separator = byte == '\n' || byte == '\r' || editor.IsOperator(byte);
  const EditorWord* entry = editor.words.FindByte(byte);
  if (!test.separator && entry && (entry->flags & kSeparatorFlagMask) &&
      !(entry->flags & 0x10000)) {
    test.separator = true;
  }
  if (test.separator) test.entry = entry;
  return test;
}

NumberMatch MatchNumber(const EditorStyling& editor, const char* p, int remaining) {
  NumberMatch match;
  bool dot = false;
  int n = 0;
  for (; n < remaining; ++n) {
    const char c = p[n];
    if (c == '.') {
      if (dot) return {};
      dot = true;
    } else if (c >= '0' && c <= '9') {
      ++match.digits;
    } else if (IsBlank(c) || IsSeparatorChar(editor, static_cast<unsigned char>(c)).separator) {
      break;
    } else {
      return {};
    }
  }
  match.length = n;
  return match;
}

namespace {

// The word rules of the tokenizer: returns the token with its style.
Token MeasureWord(const EditorStyling& editor, const char* p, int remaining) {
  Token token;
  int n = 0;
  SeparatorTest follower;
  bool ended_at_separator = false;
  while (n < remaining) {
    const char c = p[n];
    if (IsBlank(c)) break;
    follower = IsSeparatorChar(editor, static_cast<unsigned char>(c));
    if (follower.separator) {
      ended_at_separator = true;
      break;
    }
    n += CharLength(p + n, remaining - n);
  }
  n = std::max(n, 1);
  token.length = n;
  const std::string_view word(p, static_cast<size_t>(n));
  const WordTable& words = editor.words;
  if (const EditorWord* entry = words.Find(word)) {
    token.style = entry->style;
    token.entry = entry;
    return token;
  }
  const int first_length = CharLength(p, n);
  if (words.Find(word.substr(0, first_length))) return token;
  const int last_start = LastCharStart(p, n);
  if (const EditorWord* last = words.Find(word.substr(last_start))) {
    if (last->flags & kWordCallMark) token.style = last->style;
    return token;
  }
  int blanks = 0;
  if (!ended_at_separator) {
    follower = {};
    while (n + blanks < remaining && IsBlank(p[n + blanks])) ++blanks;
    if (n + blanks < remaining) {
      follower = IsSeparatorChar(editor, static_cast<unsigned char>(p[n + blanks]));
    }
  }
  // `foo(` and `foo (` are calls: the name and the blanks take the mark's style.
  if (follower.entry && (follower.entry->flags & kWordCallMark)) {
    token.length = n + blanks;
    token.style = follower.entry->style;
  }
  return token;
}

Token MeasureToken(const EditorStyling& editor, const char* p, int remaining) {
  Token token;
  const char b = p[0];
  if (IsBlank(b)) {
    int n = 1;
    while (n < remaining && IsBlank(p[n])) ++n;
    token.length = n;
    return token;
  }
  const SeparatorTest separator = IsSeparatorChar(editor, static_cast<unsigned char>(b));
  if (separator.separator) {
    token.length = 1;
    token.entry = separator.entry;
    if (separator.entry) token.style = separator.entry->style;
    if (b == '.') {
      const NumberMatch number = MatchNumber(editor, p, remaining);
      if (number.digits > 0) return {number.length, editor.number_style, nullptr};
    }
    if (remaining > 1 && separator.entry && (separator.entry->flags & kWordPaired)) {
      // No escapes, and a string never runs past its line.
      const char close = separator.entry->close_char;
      int depth = 1;
      int n = 1;
      while (n < remaining) {
        const char c = p[n];
        if (c == close) {
          ++n;
          if (--depth == 0) break;
        } else if (c == b) {
          ++n;
          ++depth;
        } else if (c == '\r' || c == '\n') {
          break;
        } else {
          ++n;
        }
      }
      token.length = n;
    }
    return token;
  }
  const NumberMatch number = MatchNumber(editor, p, remaining);
  if (number.length > 0) return {number.length, editor.number_style, nullptr};
  return MeasureWord(editor, p, remaining);
}

}  // namespace

Token StyleToken(EditorStyling& editor, const char* p, int remaining, StyleSink* sink) {
  Token token = MeasureToken(editor, p, remaining);
  if (!sink) return token;
  if (!(editor.features & kStylingOn)) token.style = kDefaultStyle;
  sink->SetStyling(token.length, token.style);
  if (token.entry) {
    if (token.entry->flags & kWordFoldOpen) ++editor.fold_delta;
    // The level never drops below the base: a stray `}` is ignored.
    if ((token.entry->flags & kWordFoldClose) &&
        (editor.fold_level > kFoldLevelBase || editor.fold_delta != 0)) {
      --editor.fold_delta;
    }
  }
  return token;
}

bool AddKeywords(EditorStyling& editor, std::string_view text, int style, int flags, bool sort) {
  if (editor.words.AddWords(text, style, flags) == 0) return false;
  if (sort) editor.words.Sort();
  return true;
}

bool AddDelimiter(EditorStyling& editor, std::string_view opener, std::string_view closer, int flags,
                  int style) {
  if (opener.empty() || (closer.empty() && (flags & kWordPaired))) return false;
  if (editor.words.AddWords(opener, style, flags) == 0) return false;
  if (flags & kWordPaired) {
    if (EditorWord* entry = editor.words.LookupMutable(opener)) entry->close_char = closer[0];
  }
  return true;
}

void StylePlainLine(EditorStyling& editor, StyleSink& sink, const char* bytes, int length) {
  int pos = 0;
  while (pos < length) pos += StyleToken(editor, bytes + pos, length - pos, &sink).length;
}

int RestyleLines(EditorStyling& editor, StyledDocument& document, int first_line, int last_line) {
  const int line_count = document.LineCount();
  if (last_line == -1 || last_line >= line_count) last_line = line_count - 1;
  const int requested_last = last_line;
  if (first_line < 0) first_line = 0;
  if (first_line == 0) {
    editor.fold_level = kFoldLevelBase;
  } else {
    --first_line;
    editor.fold_level = document.GetFoldLevel(first_line) & kFoldLevelNumberMask;
  }
  // Whole lines are always styled: a line cut short at the requested end
  // would leave a wrong comment state and misplace the styles after it.
  document.StartStyling(document.PositionFromLine(first_line));
  std::string bytes;
  int styled = 0;
  const bool folding = editor.features & (kFoldingOn | kFoldAnyLine);
  for (int line = first_line; line <= last_line; ++line) {
    editor.fold_delta = 0;
    if (document.LineLength(line) > 0) {
      document.GetLine(line, bytes);
      const int length = static_cast<int>(bytes.size());
      if (editor.line_styler) {
        const int changed = editor.line_styler(editor, document, bytes.data(), length, line,
                                               first_line, requested_last);
        last_line = changed ? line_count - 1 : requested_last;
      } else {
        StylePlainLine(editor, document, bytes.data(), length);
      }
      ++styled;
    }
    if (folding) {
      document.SetFoldLevel(
          line, editor.fold_level | (editor.fold_delta >= 1 ? kFoldLevelHeaderFlag : 0));
      editor.fold_level = std::max(editor.fold_level + editor.fold_delta, kFoldLevelBase);
    } else {
      document.SetFoldLevel(line, 0);
    }
  }
  return styled;
}

}  // namespace vorlane
