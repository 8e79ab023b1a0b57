// Saving under a name the user gave: the name belongs to the project only
// once the project is saved under it.
#pragma once

#include <string>

#include "project/model.h"
#include "project/project_file.h"

namespace vorlane {

// Writes the project as Projects/<name>.xml and takes `name` as its
// `projectname`. An empty name (the name dialog was cancelled) writes
// nothing; a refused name or a failed write leaves the previous name in
// place, so the title keeps it and the next Save asks again or uses it.
bool WriteProjectUnder(Project& project, const std::string& name, FileReport* report);

}  // namespace vorlane
