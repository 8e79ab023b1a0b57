// Where a project's files live, relative to the program's current directory.
// Every path under Projects/ is built here.
#pragma once

#include <string>

namespace vorlane {

inline constexpr char kProjectsFolder[] = "Projects";

struct ProjectPaths {
  std::string xml;         // Projects/N.xml
  std::string preview;     // Projects/N.png
  std::string folder;      // Projects/N/
  std::string images;      // Projects/N/<imgfolder>/
  std::string audio;       // Projects/N/<audfolder>/
  std::string page;        // Projects/N/index.html
  std::string extensions;  // Projects/N/extensions.dat
};

ProjectPaths PathsOf(const std::string& name, const std::string& imgfolder = "",
                     const std::string& audfolder = "");

// A media sub-folder name may be empty (the files then sit in the project
// folder itself) or a plain name; anything else could leave the project.
bool IsUsableFolderName(const std::string& name);

}  // namespace vorlane
