// Go to resource's matching and ranking.
#include "project/resource_search.h"

#include <gtest/gtest.h>

#include "support/sample_project.h"

namespace vorlane {
namespace {

TEST(ResourceSearchTest, LettersInOrderMatchAndWordStartsComeFirst) {
  Project p;
  for (const char* name :
       {"obj_player", "obj_pillar", "spr_player", "snd_pop", "obj_wall", "obj_aaa", "obj_zz"})
    (name[0] == 'o' ? p.objects.emplace_back().name : p.sprites.emplace_back().name) = name;
  p.sounds.push_back({"snd_pop"});
  p.sprites.erase(p.sprites.begin() + 1);  // "snd_pop" is a sound only
  const auto names = [&](const char* query) {
    std::string list;
    for (const ResourceMatch& m : FindResources(p, query)) list += m.name + " ";
    return list;
  };
  const std::pair<const char*, const char*> cases[] = {
      // the query's letters must all be there, in order, case ignored
      {"qq", ""},
      {"PLAYER", "obj_player spr_player "},
      // word starts and letters together win; then shorter names
      {"op", "obj_pillar obj_player snd_pop "},
      {"opl", "obj_player obj_pillar "},
      {"pl", "obj_player spr_player obj_pillar "},
      {"obj_wall", "obj_wall "},
      // equal scores: the shorter name first, then by name
      {"obj", "obj_zz obj_aaa obj_wall obj_pillar obj_player "},
  };
  for (const auto& [query, expected] : cases) EXPECT_EQ(names(query), expected) << query;
  EXPECT_EQ(FindResources(p, "", 2).size(), 2u) << "at most the limit";
  // A later word start is passed over when the rest would not fit after it.
  EXPECT_EQ(MatchScore("xab_a", "ab"), MatchScore("xab", "ab"));
}

// Every kind is searched; instances are not resources.
TEST(ResourceSearchTest, EveryKindIsSearched) {
  const Project p = test::SampleProject();
  std::vector<ResourceKind> kinds;
  for (const ResourceMatch& m : FindResources(p, "", 100)) {
    if (std::find(kinds.begin(), kinds.end(), m.kind) == kinds.end()) kinds.push_back(m.kind);
    EXPECT_EQ(m.name.rfind("inst_", 0), std::string::npos) << m.name;
  }
  EXPECT_EQ(kinds.size(), std::size(kResourceKinds));
}

}  // namespace
}  // namespace vorlane
