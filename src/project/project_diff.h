// What one edit changed in a project, kept small: for every list only the
// stretch between the unchanged beginning and the unchanged end, before and
// after. Placing one instance among ten thousand keeps one record.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "project/model.h"

namespace vorlane {

template <typename Record>
struct ListChange {
  size_t at = 0;  // where the changed stretch starts
  std::vector<Record> before;
  std::vector<Record> after;
  bool empty() const { return before.empty() && after.empty(); }
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

  bool empty() const;
};

// The records and settings that differ between `before` and `after`. The
// program-wide values (uid, names of folders, modified) are not edits.
ProjectDiff DiffProjects(const Project& before, const Project& after);

// Turns a project that is in the diff's "after" state back into "before"
// (undo), or the other way (redo).
void RevertDiff(Project& project, const ProjectDiff& diff);
void ReapplyDiff(Project& project, const ProjectDiff& diff);

}  // namespace vorlane
