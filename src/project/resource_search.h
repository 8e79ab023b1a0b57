// Finding a resource by a few letters of its name, for Go to resource: the
// letters typed must appear in the name in order, and the names where they
// start words or stand together come first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project/resource_kind.h"

namespace vorlane {

struct ResourceMatch {
  ResourceKind kind;
  std::string name;
  int score = 0;  // higher is better
};

// The score of `name` for `query` (case ignored), or -1 when the query's
// characters are not all in the name in order. An empty query scores 0.
int MatchScore(std::string_view name, std::string_view query);

// The resources of every kind that match, best first (then shorter names,
// then by name), at most `limit` of them.
std::vector<ResourceMatch> FindResources(const Project& project, std::string_view query,
                                         size_t limit = 50);

}  // namespace vorlane
