// Names used in the project's scripts that name nothing the game knows: a
// typo such as `obj_wal`, or a resource renamed without its code. A hint,
// not an error: anything the game could know by that name keeps it quiet.
#pragma once

#include <string>
#include <vector>

#include "generate/extensions.h"
#include "generate/script_place.h"

namespace vorlane {

struct UnknownName {
  ScriptPlace place;
  int line = 1;  // its first use in that script
  std::string name;
};

// Per script in ProjectScripts' order, each unknown name once. Known are:
// resources of every kind, the engine's and the browser's names (as
// reserved_names.h has them loaded), JavaScript's words, what the global
// scripts and enabled extensions declare at their top level, what the
// script itself declares, and the variables instances may have: names
// assigned bare in any script, or read as a member (`.hp`) anywhere.
std::vector<UnknownName> UnknownNames(const Project& project,
                                      const std::vector<Extension>& extensions);

// "obj_player, Step event, line 3: 'obj_wal' is not a resource, function,
// variable or engine name"
std::string UnknownNameText(const UnknownName& unknown);

}  // namespace vorlane
