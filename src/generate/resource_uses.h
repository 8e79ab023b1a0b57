// Where a resource is used: the records that name it (an object's parent,
// the instances placed from an object, a scene's background, ...) and the
// scripts that use its name, for the browser's "Find uses".
#pragma once

#include <string>
#include <vector>

#include "generate/code_uses.h"
#include "project/model.h"
#include "project/resource_kind.h"

namespace vorlane {

struct ResourceUse {
  std::string text;   // "obj_enemy: its parent", "scn_level: 14 instances"
  ResourceKind kind;  // the resource whose editor shows the use
  std::string name;
  bool is_code = false;
  CodeUse code;           // for a use in a script (is_code), or a collision event
  bool is_event = false;  // a collision event with the resource: `code.place` names it
};

// The uses of `name` in the scripts as FindResourceUses lists them.
std::vector<ResourceUse> CodeUseEntries(const Project& project, const std::string& name);

// Record uses first (in the project's list order, placed instances and
// tiles counted per scene), then code uses in the order of FindCodeUses.
std::vector<ResourceUse> FindResourceUses(const Project& project, ResourceKind kind,
                                          const std::string& name);

}  // namespace vorlane
