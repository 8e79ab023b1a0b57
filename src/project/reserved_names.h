// Every resource becomes a global of the generated game: a variable of its
// name and, for all kinds but functions, a constructor "__" + name
// (var spr_ball = new __spr_ball();). Such a global must not replace one
// the engine or the browser already has, nor another resource's. Names that
// differ only in case are different JavaScript names and do not clash.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/keyword_file.h"
#include "project/resource_kind.h"

namespace vorlane {

// The engine's names: what the template declares at its top level
// (top_level_names.h) and the names keywords.dat lists. Read once at
// start-up, before any window opens or thread starts, and kept for the run;
// until then there are none. A missing keyword file adds nothing.
void LoadEngineNames(std::string_view engine_template,
                     const std::string& keyword_path = kKeywordFile);
bool IsEngineName(std::string_view name);

// The browser's globals a game relies on: JavaScript's built-ins, what
// every object inherits, the window's properties, the constructors the
// engine uses and the window's event handlers. A fixed list.
bool IsBrowserName(std::string_view name);

// A resource as the game sees it.
struct GameName {
  ResourceKind kind;
  std::string name;
};

// True when the two would declare the same global.
bool NamesClash(const GameName& a, const GameName& b);

// "The object name 'score' is already used by the game engine" (or "... by
// the browser"); "" when the resource's globals are free of both.
std::string ReservedNameProblem(const GameName& resource);

// "The scene name 'level' is already used by the object 'level'".
std::string UsedByProblem(const GameName& resource, const GameName& user);

// What stops each of `names` from being a global of one game, in order:
// not a JavaScript identifier (CheckJsName), a reserved name, or a clash
// with a name listed before it.
std::vector<std::string> GameNameProblems(const std::vector<GameName>& names);

}  // namespace vorlane
