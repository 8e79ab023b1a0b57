// Where a name of the game is used in the project's scripts, and renaming
// those uses when the resource it names is renamed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "generate/script_place.h"

namespace vorlane {

struct CodeUse {
  ScriptPlace place;
  bool in_params = false;  // in a function's parameter list rather than its code
  int line = 1;            // 1-based, in that text
  int column = 0;          // byte offset of the name in its line
  size_t offset = 0;       // byte offset of the name in that text
  std::string line_text;   // the line, without its line break
  bool shorthand = false;  // `{ obj_wall }`: a rename writes `obj_wall: obj_block`
};

// Every place where `name` is used as a name of the game in the project's
// scripts, in ProjectScripts' order.
std::vector<CodeUse> FindCodeUses(const Project& project, std::string_view name);
// Renames those uses to `new_name`; returns how many it changed.
int RenameInCode(Project& project, std::string_view old_name, std::string_view new_name);

}  // namespace vorlane
