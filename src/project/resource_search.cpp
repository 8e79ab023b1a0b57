#include "project/resource_search.h"

#include <algorithm>
#include <cctype>

namespace vorlane {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWord(std::string_view name, size_t i) {
  if (i == 0) return true;
  const char before = name[i - 1];
  if (before == '_' || before == '-' || before == ' ') return true;
  // fooBar: a capital after a small letter starts a word too.
  return std::isupper(static_cast<unsigned char>(name[i])) &&
         std::islower(static_cast<unsigned char>(before));
}

// Whether `query` is in `name` from `at` on, in order.
bool Holds(std::string_view name, size_t at, std::string_view query) {
  for (const char q : query) {
    while (at < name.size() && Lower(name[at]) != Lower(q)) ++at;
    if (at++ >= name.size()) return false;
  }
  return true;
}

}  // namespace

int MatchScore(std::string_view name, std::string_view query) {
  if (!Holds(name, 0, query)) return -1;
  // Each letter is taken where it follows the last one, or else where it
  // starts a word, or else at its first place, as long as the rest of the
  // query still fits after it. Word starts and letters side by side earn
  // more; gaps cost.
  int score = 0;
  size_t at = 0;
  size_t last = std::string_view::npos;
  for (size_t k = 0; k < query.size(); ++k) {
    const char want = Lower(query[k]);
    const std::string_view rest = query.substr(k + 1);
    size_t pick = std::string_view::npos;
    // The earliest place keeps the most room for the rest; a later word
    // start must be checked.
    if (last != std::string_view::npos && last + 1 < name.size() && Lower(name[last + 1]) == want)
      pick = last + 1;
    for (size_t i = at; pick == std::string_view::npos && i < name.size(); ++i)
      if (Lower(name[i]) == want && StartsWord(name, i) && Holds(name, i + 1, rest)) pick = i;
    for (size_t i = at; pick == std::string_view::npos; ++i)
      if (Lower(name[i]) == want) pick = i;
    score += 1;
    if (StartsWord(name, pick)) score += 8;
    if (last != std::string_view::npos && pick == last + 1) score += 5;
    else if (last != std::string_view::npos) score -= static_cast<int>(std::min<size_t>(pick - last - 1, 5));
    last = pick;
    at = pick + 1;
  }
  if (!query.empty() && query.size() == name.size()) score += 10;  // the whole name
  return std::max(score, 0);
}

std::vector<ResourceMatch> FindResources(const Project& project, std::string_view query,
                                         size_t limit) {
  std::vector<ResourceMatch> found;
  const auto consider = [&](ResourceKind kind, const std::string& name) {
    const int score = MatchScore(name, query);
    if (score >= 0) found.push_back({kind, name, score});
  };
  for (const Sprite& s : project.sprites) consider(ResourceKind::Sprite, s.name);
  for (const Sound& s : project.sounds) consider(ResourceKind::Sound, s.name);
  for (const Sound& m : project.musics) consider(ResourceKind::Music, m.name);
  for (const Background& b : project.backgrounds) consider(ResourceKind::Background, b.name);
  for (const Font& f : project.fonts) consider(ResourceKind::Font, f.name);
  for (const GameObject& o : project.objects)
    if (o.prototype == 1) consider(ResourceKind::Object, o.name);
  for (const Scene& s : project.scenes) consider(ResourceKind::Scene, s.name);
  for (const UserFunction& f : project.fns) consider(ResourceKind::Function, f.name);
  const auto better = [](const ResourceMatch& a, const ResourceMatch& b) {
    if (a.score != b.score) return a.score > b.score;
    if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
    if (a.name != b.name) return a.name < b.name;
    return a.kind < b.kind;
  };
  // Only the best `limit` are put in order.
  const size_t kept = std::min(limit, found.size());
  std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(),
                    better);
  found.resize(kept);
  return found;
}

}  // namespace vorlane
