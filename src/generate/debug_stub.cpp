// Stand-ins until the generator writes the map itself: deleted then.
#include "generate/debug_stub.h"

#include "gui/file_util.h"

namespace vorlane {

std::string PlaceLabel(const ScriptPlace& place) {
  if (place.kind == ScriptKind::Event) return place.resource + ", " + place.event + " event";
  return place.resource;
}

void WriteGameMapStub(const Project& project, const std::string& folder) {
  std::string game;
  ReadFile(folder + "/game.js", &game);
  GameMap map;
  for (const Script& s : project.scripts) {
    if (s.code.empty() || s.object.empty()) continue;
    const size_t at = game.find(s.code);
    if (at == std::string::npos) continue;
    GameMapEntry e;
    e.first_line = 1 + static_cast<int>(std::count(game.begin(), game.begin() + at, '\n'));
    e.line_count = 1 + static_cast<int>(std::count(s.code.begin(), s.code.end(), '\n'));
    e.place = ScriptPlace{ScriptKind::Event, s.object, s.event, s.parameter, 0};
    map.entries.push_back(e);
  }
  std::sort(map.entries.begin(), map.entries.end(),
            [](const GameMapEntry& a, const GameMapEntry& b) { return a.first_line < b.first_line; });
  WriteFileAtomic(folder + "/" + kGameMapFile, GameMapText(map));
}

}  // namespace vorlane
