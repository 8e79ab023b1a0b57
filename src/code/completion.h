// What the completion list and the help lines show, computed from the caret
// line alone.
#pragma once

#include <string>
#include <string_view>

#include "code/editor_styling.h"
#include "code/keyword_list.h"

namespace vorlane {

struct CompletionChoice {
  bool show = false;     // false: close any open list
  int typed_length = 0;  // bytes of the typed text the chosen word replaces
  std::string list;      // candidates joined by single spaces
};

// The token at byte offset `caret` of `line` (line end included) is what was
// typed; every completion word that starts with it, ignoring case, is a
// candidate. Nothing is shown for fewer than min_completion_length characters
// or when the only candidate is exactly what was typed.
CompletionChoice ComputeCompletion(const EditorStyling& editor, std::string_view line, int caret);

// The help lines at a caret `caret_char` characters into `line` (no line end):
// the identifier around the caret, or the line's first identifier when the
// caret does not touch one from the left. Identifiers are ASCII letters and
// `_`. Returns the index of the first record of that name with help, or -1.
int FindKeywordInLine(const KeywordList& keywords, std::string_view line, int caret_char);

}  // namespace vorlane
