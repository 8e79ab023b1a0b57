// Resource names become variables of the generated game (var spr_ball =
// new __spr_ball();), so they must be JavaScript identifiers: Unicode
// letters, digits, _ and $, not starting with a digit, and not a word that
// JavaScript keeps for itself.
#pragma once

#include <string>
#include <string_view>

namespace vorlane {

// Why `name` cannot be a variable of the game, "" when it can: "use letters,
// digits and _, not starting with a digit" or "it is a word JavaScript keeps
// for itself".
std::string JsNameProblem(std::string_view name);

// "The sprite name 'my sprite' is not a valid name: " + the problem, for the
// kind's word ("sprite", "object", ...); "" when the name can be used.
std::string CheckJsName(std::string_view kind_word, std::string_view name);

}  // namespace vorlane
