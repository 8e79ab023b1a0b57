// The JavaScript line styler: tokens plus `//` and `/* */` comments, with the
// block-comment state carried from line to line in the document's line state.
#pragma once

#include "code/editor_styling.h"
#include "code/keyword_list.h"
#include "project/model.h"

namespace vorlane {

// Styles of the JavaScript setup.
inline constexpr int kStyleKeyword = 2;
inline constexpr int kStyleComment = 3;
inline constexpr int kStyleString = 4;
inline constexpr int kStyleNumber = 5;
inline constexpr int kStyleFunction = 6;
inline constexpr int kStyleResource = 7;
inline constexpr int kStyleEngineFunction = 8;
inline constexpr int kStyleEngineVariable = 9;
inline constexpr int kStyleEngineConstant = 10;

inline constexpr char kScriptKeywords[] =
    "break case catch continue debugger default delete do else finally for function if in "
    "instanceof new return switch this throw try typeof var void while with true false null "
    "undefined";
inline constexpr char kScriptOperators[] = "=+-*/%()[],.|&;";

// The JavaScript word table, in registration order: quotes, parentheses,
// keywords, braces, the project's resource names as they are now, then the
// keyword list. A later registration of a word wins its style, so a
// keyword-list name that is also a resource takes its class colour. Also
// sets the operators, number style, features and StyleScriptLine.
void ConfigureScriptStyling(EditorStyling& editor, const Project& project, const KeywordList& keywords);

// `//` opens a comment only at the start of a line or after a blank or `;`,
// so `a//b` is code; `/*` opens one anywhere outside a string.
int StyleScriptLine(EditorStyling& editor, StyledDocument& document, const char* bytes, int length,
                    int line, int first_line, int last_line);

}  // namespace vorlane
