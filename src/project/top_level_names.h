// The global names a script declares, read from its text: the engine
// template's own variables and functions, which no resource may take.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlane {

// The names `script` declares outside every function, in order of first
// appearance: var declarations (in blocks and for loops too), function
// declarations, and let, const and class declarations at the top level.
// Comments, strings, template texts and regular expressions are skipped.
// Destructuring patterns and names made by assigning to the global object
// are not found.
std::vector<std::string> TopLevelNames(std::string_view script);

}  // namespace vorlane
