// Where a script of the game lives in the project, so that a problem found
// in it (by the syntax check or by the running game) can be named the way
// the user knows it and the code dialog opened at the line.
#pragma once

#include <string>
#include <vector>

#include "generate/extensions.h"
#include "project/model.h"

namespace vorlane {

enum class ScriptKind { Event, Scene, Function, GlobalVariables, GlobalFunctions, Extension };

struct ScriptPlace {
  ScriptKind kind = ScriptKind::Event;
  std::string resource;   // object, scene, function or extension name; "" for the globals
  std::string event;      // an event script's event ("Creation", "Collision", ...)
  std::string parameter;  // a Collision script's partner
  int index = -1;  // place in the project's list of its kind (scripts, scenes, fns, extensions)

  friend bool operator==(const ScriptPlace&, const ScriptPlace&) = default;
};

// A place in a script's text to show: a line (1-based; 0 for none), and a
// part of it to select, from a byte column for `length` bytes (a column
// below 0 selects the whole line).
struct CodeSpot {
  CodeSpot(int line = 0, int column = -1, int length = 0)
      : line(line), column(column), length(length) {}
  int line;
  int column;
  int length;
};

// "obj_wall, Creation event", "obj_wall, Collision event with obj_ball",
// "scn_level, scene code", "fn_jump", "Global variables",
// "Not listed custom functions", "Extension Particles".
std::string PlaceLabel(const ScriptPlace& place);
// PlaceLabel and a line of the script: "obj_wall, Step event, line 3".
std::string PlaceLineText(const ScriptPlace& place, int line);

// One script that goes into the game: where it is, and its text (and, for a
// function, its parameter list).
struct GameScript {
  ScriptPlace place;
  const std::string* code = nullptr;
  const std::string* params = nullptr;  // a function's parameter list, else null
};

// Every script the generator writes into game.js, in the order it writes
// them: enabled extensions, global variables, global functions, functions,
// object events (objects in list order, events by kind, then script-list
// order; collisions only with a defined partner), scene code. The pointers
// point into `project` and `extensions`, which must outlive the list.
std::vector<GameScript> GameScripts(const Project& project,
                                    const std::vector<Extension>& extensions);

// Every script the user wrote, whether it goes into the game or not (an
// event of an object that is no longer one, a collision with a deleted
// partner), for searches and renames: global variables, global functions,
// functions (with their parameter lists), event scripts in the project's
// list order, scene code. The pointers point into `project`.
struct ProjectScript {
  ScriptPlace place;
  std::string* code = nullptr;
  std::string* params = nullptr;  // a function's parameter list, else null
};
std::vector<ProjectScript> ProjectScripts(Project& project);

}  // namespace vorlane
