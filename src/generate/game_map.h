// The map from the lines of game.js to the scripts they came from, written
// beside the game for a debug run ("game.map.json"), so an error the page
// reports at a game.js line can be named as the user's object, event and
// line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "generate/script_place.h"

namespace vorlane {

inline constexpr char kGameMapFile[] = "game.map.json";

struct GameMapEntry {
  int first_line = 0;  // game.js line (1-based) of the script's first line
  int line_count = 0;  // lines of the script
  ScriptPlace place;

  friend bool operator==(const GameMapEntry&, const GameMapEntry&) = default;
};

struct GameMap {
  std::vector<GameMapEntry> entries;  // by first_line, not overlapping

  struct Found {
    ScriptPlace place;
    int line = 0;  // 1-based line within the script
  };
  // The script holding game.js line `game_line`, and the line in it; none
  // for engine or generated lines.
  std::optional<Found> Find(int game_line) const;

  friend bool operator==(const GameMap&, const GameMap&) = default;
};

// JSON: {"version":1,"scripts":[{"line":120,"lines":3,"kind":"event",
// "resource":"obj_wall","event":"Step","parameter":"","index":4}, ...]}
std::string GameMapText(const GameMap& map);
// False (and `map` left alone) for text that is not such a map.
bool ReadGameMap(const std::string& text, GameMap* map);

}  // namespace vorlane
