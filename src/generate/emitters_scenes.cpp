// The scene emitter: each scene's tile groups, instances and start code, and
// the first scene as the one the game starts in.
#include <algorithm>
#include <unordered_map>

#include "generate/emitter_text.h"
#include "generate/emitters.h"

namespace vorlane {

using emit::Append;
using emit::kNL;

namespace {

struct GroupedTile {
  int depth_rank;       // the tile's depth, by first appearance in the scene
  int background_rank;  // its tile set, by first appearance in the scene
  const Tile* tile;
};

// Tiles nest as depth groups holding tile-set groups holding rows; groups
// are ordered by first appearance, rows keep tile-list order. Ranking and
// one stable sort keep this at n log n for any number of layers and sets.
void AppendTileGroups(std::string& out, const std::vector<const Tile*>& tiles) {
  std::unordered_map<int, int> depth_rank;
  std::unordered_map<std::string_view, int> background_rank;
  std::vector<GroupedTile> grouped;
  grouped.reserve(tiles.size());
  for (const Tile* t : tiles) {
    const int d = depth_rank.try_emplace(t->depth, static_cast<int>(depth_rank.size())).first->second;
    const int b = background_rank.try_emplace(t->background, static_cast<int>(background_rank.size()))
                      .first->second;
    grouped.push_back({d, b, t});
  }
  std::stable_sort(grouped.begin(), grouped.end(), [](const GroupedTile& a, const GroupedTile& b) {
    return a.depth_rank != b.depth_rank ? a.depth_rank < b.depth_rank
                                        : a.background_rank < b.background_rank;
  });
  for (size_t i = 0; i < grouped.size(); ++i) {
    const GroupedTile& g = grouped[i];
    const bool new_depth = i == 0 || grouped[i - 1].depth_rank != g.depth_rank;
    const bool new_set = new_depth || grouped[i - 1].background_rank != g.background_rank;
    if (new_depth) {
      if (i > 0) Append(out, "]],", kNL);  // closes the last row's set and depth
      Append(out, "[", g.tile->depth, ",", kNL);
    }
    if (new_set) {
      if (!new_depth) Append(out, "],", kNL);
      Append(out, "[", g.tile->background, ",", kNL);
    } else {
      Append(out, ",", kNL);
    }
    const Tile& t = *g.tile;
    Append(out, "[", t.left, ",", t.top, ",", t.width, ",", t.height, ",", t.x, ",", t.y, "]");
  }
  if (!grouped.empty()) out += "]]";
}

void AppendInstances(std::string& out, const std::vector<const GameObject*>& instances) {
  bool first = true;
  for (const GameObject* o : instances) {
    if (!first) Append(out, ",", kNL);
    first = false;
    Append(out, "[{o:", o->template_, ", x:", o->x, ", y:", o->y);
    if (o->direction != 0) Append(out, ", d:", o->direction);
    if (o->image_angle != 0) Append(out, ", a:", o->image_angle);
    out += "}]";
  }
}

// The depths of the scene's solid tile layers; nothing at all when it has
// none, so that games without them are written as before.
void AppendSolidDepths(std::string& out, const Project& project, const std::string& scene) {
  bool first = true;
  for (const Layer& l : project.layers) {
    if (!l.solid || l.scene != scene) continue;
    Append(out, first ? "this.solid = [" : ", ", l.value);
    first = false;
  }
  if (!first) Append(out, "];", kNL);
}

}  // namespace

std::string EmitScenes(const Project& project) {
  std::string out;
  EmitScenes(project, out);
  return out;
}

void EmitScenes(const Project& project, std::string& out, CodeMarks* marks) {
  const emit::DefinedNames names(project);
  // Tiles of a tile set without a picture, and instances of an object that
  // is gone, have nothing to show.
  std::unordered_map<std::string_view, std::vector<const Tile*>> tiles_of;
  for (const Tile& t : project.tiles)
    if (names.backgrounds.count(t.background)) tiles_of[t.scene].push_back(&t);
  std::unordered_map<std::string_view, std::vector<const GameObject*>> instances_of;
  for (const GameObject& o : project.objects)
    if (names.objects.count(o.template_)) instances_of[o.scene].push_back(&o);
  static const std::vector<const Tile*> kNoTiles;
  static const std::vector<const GameObject*> kNoInstances;

  out.reserve(out.size() + project.tiles.size() * 32 + project.objects.size() * 40 +
              project.scenes.size() * 400);
  for (const Scene& s : project.scenes) {
    const auto tiles = tiles_of.find(s.name);
    const auto instances = instances_of.find(s.name);
    Append(out, "function __", s.name, "() { ", kNL, "this.tiles = [", kNL);
    AppendTileGroups(out, tiles == tiles_of.end() ? kNoTiles : tiles->second);
    Append(out, "];", kNL);
    AppendSolidDepths(out, project, s.name);
    Append(out, "this.objects = [", kNL);
    AppendInstances(out, instances == instances_of.end() ? kNoInstances : instances->second);
    Append(out, "];", kNL, "this.start = function() {", kNL);
    Append(out, "__room_start__(this, ", s.name, ", ", s.width, ", ", s.height, ", ", s.speed, ", ",
           s.red, ", ", s.green, ", ", s.blue, ", ");
    if (names.backgrounds.count(s.background))
      Append(out, s.background, ".image");
    else
      out += "null";
    Append(out, ", ", s.backgroundtilex, ", ", s.backgroundtiley, ", ", s.backgroundstretch, ", ",
           s.viewportwidth, ", ", s.viewportheight, ", ", names.Known(names.objects, s.viewportobject),
           ", ",
           s.viewportxborder, ", ", s.viewportyborder, ");", kNL);
    if (!s.code.empty()) {
      out += kNL;
      if (marks)
        marks->push_back({out.size(),
                          {ScriptKind::Scene, s.name, "", "", int(&s - project.scenes.data())},
                          &s.code});
      Append(out, s.code, kNL);
    }
    Append(out, "};", kNL, "}", kNL, "var ", s.name, " = new __", s.name, "();", kNL,
           "vr_scenes.push(", s.name, ");", kNL);
  }
  if (!project.scenes.empty()) Append(out, "vr_room_to_go = ", project.scenes.front().name, ";", kNL);
}

}  // namespace vorlane
