// Stand-ins until the generator writes the map itself: deleted then.
#pragma once

#include <algorithm>
#include <string>

#include "generate/game_map.h"
#include "project/model.h"

namespace vorlane {
void WriteGameMapStub(const Project& project, const std::string& folder);
}
