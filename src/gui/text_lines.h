// Lines and blanks of the program's text files: every line-oriented file it
// reads accepts LF, CR LF and CR.
#pragma once

#include <string_view>
#include <vector>

namespace vorlane {

// The lines of `text`; a line break at the very end does not start a line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Without leading or trailing blanks and tabs.
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
// Without the blanks, tabs and line breaks around it: a name typed into a
// free field.
std::string_view TrimBlanks(std::string_view text);

}  // namespace vorlane
