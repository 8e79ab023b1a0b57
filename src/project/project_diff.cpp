#include "project/project_diff.h"

#include <algorithm>

namespace vorlane {
namespace {

template <typename Record>
ListChange<Record> DiffList(const std::vector<Record>& before, const std::vector<Record>& after) {
  const size_t shorter = std::min(before.size(), after.size());
  size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  ListChange<Record> change;
  change.at = head;
  change.before.assign(before.begin() + head, before.end() - tail);
  change.after.assign(after.begin() + head, after.end() - tail);
  return change;
}

// Replaces the stretch `from` at change.at with `to`.
template <typename Record>
void Splice(std::vector<Record>& list, const ListChange<Record>& change,
            const std::vector<Record>& from, const std::vector<Record>& to) {
  if (change.empty()) return;
  const auto start = list.begin() + static_cast<std::ptrdiff_t>(change.at);
  list.erase(start, start + static_cast<std::ptrdiff_t>(from.size()));
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(change.at), to.begin(), to.end());
}

// Calls visit(list of a, list of b, change) for every list of the project.
template <typename A, typename B, typename D, typename Visit>
void ForEachList(A& a, B& b, D& d, Visit visit) {
  visit(a.sprites, b.sprites, d.sprites);
  visit(a.frames, b.frames, d.frames);
  visit(a.sounds, b.sounds, d.sounds);
  visit(a.musics, b.musics, d.musics);
  visit(a.backgrounds, b.backgrounds, d.backgrounds);
  visit(a.fonts, b.fonts, d.fonts);
  visit(a.objects, b.objects, d.objects);
  visit(a.scripts, b.scripts, d.scripts);
  visit(a.scenes, b.scenes, d.scenes);
  visit(a.layers, b.layers, d.layers);
  visit(a.tiles, b.tiles, d.tiles);
  visit(a.fns, b.fns, d.fns);
}

void Apply(Project& project, const ProjectDiff& diff, bool undo) {
  ForEachList(project, project, diff, [undo](auto& list, auto&, const auto& change) {
    if (undo)
      Splice(list, change, change.after, change.before);
    else
      Splice(list, change, change.before, change.after);
  });
  if (diff.settings) project.settings = undo ? diff.settings->first : diff.settings->second;
}

}  // namespace

bool ProjectDiff::empty() const {
  bool all_empty = !settings;
  ForEachList(*this, *this, *this,
              [&](const auto&, const auto&, const auto& change) { all_empty &= change.empty(); });
  return all_empty;
}

ProjectDiff DiffProjects(const Project& before, const Project& after) {
  ProjectDiff diff;
  ForEachList(before, after, diff,
              [](const auto& b, const auto& a, auto& change) { change = DiffList(b, a); });
  if (!(before.settings == after.settings)) diff.settings = {before.settings, after.settings};
  return diff;
}

void RevertDiff(Project& project, const ProjectDiff& diff) { Apply(project, diff, true); }
void ReapplyDiff(Project& project, const ProjectDiff& diff) { Apply(project, diff, false); }

}  // namespace vorlane
