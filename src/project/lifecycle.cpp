#include "project/lifecycle.h"

#include <cstdio>

#include "gui/file_util.h"
#include "project/leftovers.h"
#include "project/project_paths.h"

namespace vorlane {
namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

// The preferences' folder names are the ones a project starts with.
void TakeFolderNames(Project& project, const Preferences& prefs) {
  project.imgfolder = prefs.ImgFolder;
  project.audfolder = prefs.AudFolder;
}

// A new working folder with this process's marker. When the program folder
// cannot be written the name is still used: reads and saves then find no
// media there, as before.
std::string MakeWorkingFolder(const std::string& current) {
  std::string name;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = NewWorkingFolderName(current);
    if (ClaimWorkingFolder(name) != Claim::Taken) break;
  }
  return name;
}

}  // namespace

std::string WorkingFolderName(const std::tm& now) {
  char text[32];
  std::snprintf(text, sizeof text, "_temp_%02d%02d%02d", now.tm_hour, now.tm_min, now.tm_sec);
  return text;
}

std::string NewWorkingFolderName(const std::string& current) {
  const std::string base = WorkingFolderName(LocalNow());
  std::string name = base;
  for (int n = 2; name == current || FileExists(name) || FileExists(OwnerMarkerPath(name)); ++n)
    name = base + "_" + std::to_string(n);
  return name;
}

void StartNewProject(Project& project, Preferences& prefs) {
  ReleaseWorkingFolder(project.tempfolder);
  const std::string previous = project.tempfolder;
  SetModified(project, 0);
  ResetProject(project);
  LoadPreferences(prefs);
  TakeFolderNames(project, prefs);
  MakeDirectory("Extensions");
  MakeDirectory(kProjectsFolder);
  project.projectname.clear();
  project.tempfolder = MakeWorkingFolder(previous);
}

bool OpenProjectNamed(Project& project, Preferences& prefs, const std::string& name,
                      FileReport* report) {
  FileReport local;
  FileReport& out = report ? *report : local;
  out = FileReport{};
  const int version = ReadProjectVersion(name);
  if (version > kVersion) {
    out.error = NewerVersionMessage(version);
    return false;
  }
  LoadPreferences(prefs);
  MakeDirectory("Extensions");
  MakeDirectory(kProjectsFolder);

  Project fresh;
  TakeFolderNames(fresh, prefs);
  fresh.tempfolder = MakeWorkingFolder(project.tempfolder);
  if (!ReadProject(fresh, name, &out)) {
    ReleaseWorkingFolder(fresh.tempfolder);
    return false;
  }
  ReleaseWorkingFolder(project.tempfolder);
  project = std::move(fresh);
  return true;
}

bool FinishSession(const Project& project, Preferences& prefs) {
  ReleaseWorkingFolder(project.tempfolder);
  prefs.ImgFolder = project.imgfolder;
  prefs.AudFolder = project.audfolder;
  return SavePreferences(prefs);
}

}  // namespace vorlane
