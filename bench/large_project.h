// A large, realistic project for the benchmarks: 1,000 sprites of 4 frames
// (32 x 32), 2,000 objects with 3 scripts of 20 lines, 50 scenes of 200
// instances, 20,000 tiles over 4 tile sets and 200 functions. `scale`
// multiplies every count (a fraction makes a smaller one, of at least one
// record of each kind).
#pragma once

#include <string>

#include "project/model.h"

namespace vorlane::bench {

// Makes the project in memory; when `tempfolder` is not empty the four tile
// set pictures are written there as PNG files.
Project MakeLargeProject(double scale = 1, const std::string& tempfolder = "");

}  // namespace vorlane::bench
