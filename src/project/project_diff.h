// What one edit changed in a project, kept small: for every list only the
// records that changed, before and after. Placing one instance among ten
// thousand keeps one record; moving every instance of a scene, or deleting
// an object with its instances, keeps those records and no others.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "project/model.h"

namespace vorlane {

// One changed stretch of a list: `before` replaced by `after` at `at`.
template <typename Record>
struct Hunk {
  size_t at = 0;  // where the stretch starts in the list before the change
  std::vector<Record> before;
  std::vector<Record> after;
};

// The changed stretches of one list, in list order, none overlapping.
template <typename Record>
struct ListChange {
  std::vector<Hunk<Record>> hunks;
  bool empty() const { return hunks.empty(); }
};

struct ProjectDiff {
  ListChange<Sprite> sprites;
  ListChange<Frame> frames;
  ListChange<Sound> sounds;
  ListChange<Music> musics;
  ListChange<Background> backgrounds;
  ListChange<Font> fonts;
  ListChange<GameObject> objects;
  ListChange<Script> scripts;
  ListChange<Scene> scenes;
  ListChange<Layer> layers;
  ListChange<Tile> tiles;
  ListChange<UserFunction> fns;
  std::optional<std::pair<ProjectSettings, ProjectSettings>> settings;  // before, after
  // The next number for names, when it moved with a change: undoing the
  // change that made "font_18" gives the number back with the font.
  std::optional<std::pair<int, int>> uid;

  bool empty() const;
};

// The records and settings that differ between `before` and `after`, and
// the uid when it moved with them. The program-wide values (names of
// folders, modified) are not edits.
ProjectDiff DiffProjects(const Project& before, const Project& after);

// Turns a project that is in the diff's "after" state back into "before"
// (undo), or the other way (redo).
void RevertDiff(Project& project, const ProjectDiff& diff);
void ReapplyDiff(Project& project, const ProjectDiff& diff);

}  // namespace vorlane
