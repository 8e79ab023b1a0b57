#include "app/project_save.h"

#include <utility>

namespace vorlane {

bool WriteProjectUnder(Project& project, const std::string& name, FileReport* report) {
  if (name.empty()) return false;
  std::string previous = std::exchange(project.projectname, name);
  if (WriteProject(project, report)) return true;
  project.projectname = std::move(previous);
  return false;
}

}  // namespace vorlane
