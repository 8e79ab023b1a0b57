// A light scan of a script that knows just enough JavaScript to tell code
// from strings, template texts, comments and regular expressions; it helps
// the syntax check read its parser's answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlane {

// The length of the line break at `text[i]` as a browser reads scripts (LF,
// CR, CR LF, and the separators U+2028 and U+2029), 0 when there is none.
size_t LineBreakAt(std::string_view text, size_t i);
// The lines of `text` so counted; an empty text is one line.
int ScriptLineCount(std::string_view text);

// The first line of a script that uses JavaScript newer than the syntax
// check's parser knows, so that an error that parser reports at or after it
// is not taken for the user's (browsers accept what it refuses).

// 0 when the script uses none of: async functions, private names (#x),
// class fields and static blocks, object spread and rest, ??= ||= &&=,
// numeric separators and BigInt literals, a catch without its binding,
// import(), regular expressions with the s, d or v flag, `<!--` and `-->`
// comments.
// Strings, template texts and comments are skipped; a doubtful case counts
// as newer.
int FirstNewerSyntaxLine(std::string_view code);

struct BracketProblem {
  int line = 0;
  std::string message;  // "Unexpected '}'", "The '{' of line 2 is not closed"
};
// The first closing bracket that closes nothing or the wrong kind, else the
// innermost bracket left open at the end.
std::optional<BracketProblem> UnbalancedBracket(std::string_view code);

}  // namespace vorlane
