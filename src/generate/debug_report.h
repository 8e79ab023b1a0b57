// What a game page in a debug run reports: errors, console output and debug
// messages, and the running game's instances; and the parsing of the JSON
// messages the page's debug script (runtime/debug.js) sends.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "generate/game_map.h"
#include "generate/script_place.h"

namespace vorlane {

struct DebugEntry {
  enum class Kind { Error, Log, Info, Warning, Debug };
  Kind kind = Kind::Log;
  std::string text;
  std::optional<ScriptPlace> place;  // the user's script the report came from
  int line = 0;                      // 1-based line in that script; 0 without a place
  std::string stack;                 // frames, one a line, named as the user knows them
  std::string time;                  // "HH:MM:SS", local time when Vorlane received it
  int count = 1;                     // equal entries in a row the page sent as one

  friend bool operator==(const DebugEntry&, const DebugEntry&) = default;
};

struct DebugInstance {
  std::string object;
  double x = 0, y = 0, depth = 0;
  // Own variables holding numbers, strings or booleans, as text ("3",
  // "\"name\"", "true"), by name.
  std::vector<std::pair<std::string, std::string>> variables;

  friend bool operator==(const DebugInstance&, const DebugInstance&) = default;
};

// One message of the page.
struct DebugMessage {
  std::vector<DebugEntry> entries;                      // a batch of reports
  std::optional<std::vector<DebugInstance>> instances;  // a snapshot of the instances
  std::optional<bool> paused;                           // the game paused or went on
};

// Reads a message of runtime/debug.js (its comment shows them). An entry
// takes the place of the first of its game.js lines (innermost first) that
// `map` knows, so a message written through the engine is named by the
// user's line that called it; "game.js:LINE:COL" stack frames are named
// through `map` too. `time` stamps the entries. False for anything else
// (malformed text is ignored by the caller).
bool ParseDebugMessage(const std::string& json, const GameMap& map, const std::string& time,
                       DebugMessage* message);

// "Error", "Log", "Info", "Warning" or "Debug".
const char* DebugKindName(DebugEntry::Kind kind);

// "obj_wall, Step event, line 3" or "game.js line 120" for engine lines.
std::string GameLineText(const GameMap& map, int game_line);

}  // namespace vorlane
