// What each identifier of a script is to the names of the game: a use of
// a global, a member or key that only looks like one, or a name the script
// declares for itself. Read from the tokens alone, so a doubtful case errs
// towards "declared", which leaves the text alone.
#pragma once

#include <string_view>
#include <vector>

namespace vorlane {

enum class NameRole {
  Use,          // obj_wall, obj_wall.x, case obj_wall:, a ? obj_wall : b
  Shorthand,    // { obj_wall }: a use that is also the key
  Member,       // other.obj_wall, other?.obj_wall
  Key,          // { obj_wall: 1 }, { obj_wall() {} }, a method or field of a class
  Declaration,  // var/let/const (simple destructuring too), function, class, parameter, catch
};

struct ScriptName {
  size_t begin = 0;  // byte offsets of the identifier
  size_t end = 0;
  int line = 1;
  NameRole role = NameRole::Use;
  bool assigned = false;  // a use followed by `=` or another assignment
  bool label = false;     // `outer:` before a statement, or after break or continue
  bool tested = false;    // after `typeof`, which may ask whether it exists at all
};

// The identifiers of `code` (keywords included, they are Use) in order.
// For a function's parameter list ("a, b = 2") give `parameter_list`: its
// names in parameter position are then declarations.
std::vector<ScriptName> ScriptNames(std::string_view code, bool parameter_list = false);

}  // namespace vorlane
