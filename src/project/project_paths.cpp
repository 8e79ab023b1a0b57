#include "project/project_paths.h"

#include "project/safe_name.h"

namespace vorlane {

ProjectPaths PathsOf(const std::string& name, const std::string& imgfolder,
                     const std::string& audfolder) {
  const std::string base = std::string(kProjectsFolder) + "/" + name;
  ProjectPaths paths;
  paths.xml = base + ".xml";
  paths.preview = base + ".png";
  paths.folder = base + "/";
  paths.images = paths.folder + imgfolder + "/";
  paths.audio = paths.folder + audfolder + "/";
  paths.page = paths.folder + "index.html";
  paths.extensions = paths.folder + "extensions.dat";
  return paths;
}

bool IsUsableFolderName(const std::string& name) { return name.empty() || IsPlainFileName(name); }

}  // namespace vorlane
