#include "project/project_diff.h"

#include <algorithm>
#include <iterator>

namespace vorlane {
namespace {

// Adds a changed record (`before` replaced by `after`, a removed one, or an
// added one) at `at`, joining the last hunk when it ends there. One diff
// adds records of one sort only.
template <typename Record>
void Add(ListChange<Record>& change, size_t at, const Record* before, const Record* after) {
  auto& hunks = change.hunks;
  if (hunks.empty() || hunks.back().at + hunks.back().before.size() != at)
    hunks.push_back({at, {}, {}});
  if (before) hunks.back().before.push_back(*before);
  if (after) hunks.back().after.push_back(*after);
}

// The changes of `before[from, b_end)` into `after[from, a_end)` as small
// hunks, when the lists differ in place only, or by records removed only,
// or by records added only. False for a mixed change.
template <typename Record>
bool SmallHunks(const std::vector<Record>& before, const std::vector<Record>& after, size_t from,
                size_t b_end, size_t a_end, ListChange<Record>& change) {
  if (b_end - from == a_end - from) {
    for (size_t k = from; k < b_end; ++k)
      if (!(before[k] == after[k])) Add(change, k, &before[k], &after[k]);
    return true;
  }
  // Which records went (or came) is found by walking both lists: a list is
  // the other less some records exactly when this walk uses it all up.
  size_t i = from, j = from;
  if (b_end > a_end) {
    for (; i < b_end; ++i) {
      if (j < a_end && before[i] == after[j])
        ++j;
      else
        Add<Record>(change, i, &before[i], nullptr);
    }
    return j == a_end;
  }
  for (; j < a_end; ++j) {
    if (i < b_end && before[i] == after[j])
      ++i;
    else
      Add<Record>(change, i, nullptr, &after[j]);
  }
  return i == b_end;
}

template <typename Record>
ListChange<Record> DiffList(const std::vector<Record>& before, const std::vector<Record>& after) {
  const size_t shorter = std::min(before.size(), after.size());
  size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  const size_t b_end = before.size() - tail, a_end = after.size() - tail;
  ListChange<Record> change;
  if (head == b_end && head == a_end) return change;
  if (SmallHunks(before, after, head, b_end, a_end, change)) return change;
  // A mixed change keeps the whole stretch between the unchanged ends.
  change.hunks.assign(1, {head,
                          {before.begin() + head, before.begin() + b_end},
                          {after.begin() + head, after.begin() + a_end}});
  return change;
}

// Turns a list in the change's "before" state into "after" (or back, for
// undo). Records of hunks that keep their size are copied in place; a few
// hunks that do not are spliced in one by one, many in one pass over the
// list.
template <typename Record>
void Splice(std::vector<Record>& list, const ListChange<Record>& change, bool undo) {
  if (change.empty()) return;
  constexpr size_t kFewHunks = 8;
  const bool in_place = std::all_of(change.hunks.begin(), change.hunks.end(), [](const auto& h) {
    return h.before.size() == h.after.size();
  });
  // Hunks are taken in list order, so the records before each are already
  // in their new state: undoing, the hunk's own position holds; redoing, it
  // moves by what the earlier hunks added or removed.
  std::ptrdiff_t shift = 0;
  if (in_place || change.hunks.size() <= kFewHunks) {
    for (const auto& h : change.hunks) {
      const auto& from = undo ? h.after : h.before;
      const auto& to = undo ? h.before : h.after;
      const auto at = list.begin() + static_cast<std::ptrdiff_t>(h.at) + (undo ? 0 : shift);
      if (from.size() == to.size()) {
        std::copy(to.begin(), to.end(), at);
      } else {
        const auto start = list.erase(at, at + static_cast<std::ptrdiff_t>(from.size()));
        list.insert(start, to.begin(), to.end());
      }
      shift += static_cast<std::ptrdiff_t>(h.after.size()) -
               static_cast<std::ptrdiff_t>(h.before.size());
    }
    return;
  }
  // Many hunks: the new list is built in one pass, reading the old one in
  // its own positions.
  std::vector<Record> out;
  size_t read = 0;
  const auto take = [&](size_t until) {
    out.insert(out.end(), std::make_move_iterator(list.begin() + static_cast<std::ptrdiff_t>(read)),
               std::make_move_iterator(list.begin() + static_cast<std::ptrdiff_t>(until)));
  };
  for (const auto& h : change.hunks) {
    const auto& from = undo ? h.after : h.before;
    const auto& to = undo ? h.before : h.after;
    const size_t at = undo ? static_cast<size_t>(static_cast<std::ptrdiff_t>(h.at) + shift) : h.at;
    if (out.empty()) out.reserve(list.size() + to.size() + 64);
    take(at);
    out.insert(out.end(), to.begin(), to.end());
    read = at + from.size();
    shift +=
        static_cast<std::ptrdiff_t>(h.after.size()) - static_cast<std::ptrdiff_t>(h.before.size());
  }
  take(list.size());
  list.swap(out);
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
  ForEachList(project, project, diff,
              [undo](auto& list, auto&, const auto& change) { Splice(list, change, undo); });
  if (diff.settings) project.settings = undo ? diff.settings->first : diff.settings->second;
  if (diff.uid) project.uid = undo ? diff.uid->first : diff.uid->second;
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
  if (before.uid != after.uid && !diff.empty()) diff.uid = {before.uid, after.uid};
  return diff;
}

void RevertDiff(Project& project, const ProjectDiff& diff) { Apply(project, diff, true); }
void ReapplyDiff(Project& project, const ProjectDiff& diff) { Apply(project, diff, false); }

}  // namespace vorlane
