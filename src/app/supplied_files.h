// The files read at start-up from the program folder: keywords.dat and
// export.js beside the program, the user's preferences.dat.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

// One sentence for each of them that is there but cannot be read (not a
// regular file, too large, no access): the program goes on without it, and
// the user is told why. A missing file is not a problem here.
std::vector<std::string> UnreadableSuppliedFiles();

}  // namespace vorlane
