// The projects the open dialog offers: Projects/*.xml, and what the dialog
// shows about one of them.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "project/project_paths.h"

namespace vorlane {

// The names of the regular files in `folder` that end in ".xml", with every
// ".xml" removed from the name (a.xml.xml is listed as a), in directory
// listing order. Sub-folders are not searched; names that come out empty are
// left out, since no project can be opened by them.
std::vector<std::string> RefreshProjectList(const std::string& folder = kProjectsFolder);

// "Project started: 2012-05-31 18:07" for a local time.
std::string ProjectStartedText(const std::tm& local);
// The same for the status-change time of Projects/<name>.xml; "" when the
// file cannot be examined.
std::string ProjectStartedText(const std::string& name);

// Projects/<name>.png when it exists and is not empty, otherwise "".
std::string ProjectPreviewPath(const std::string& name);

}  // namespace vorlane
