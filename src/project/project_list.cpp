#include "project/project_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>

#include "gui/file_util.h"

namespace vorlane {
namespace {

std::string WithoutXml(std::string name) {
  for (size_t at; (at = name.find(".xml")) != std::string::npos;) name.erase(at, 4);
  return name;
}

}  // namespace

std::vector<std::string> RefreshProjectList(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string file = entry->d_name;
    if (!file.ends_with(".xml") || !IsRegularFile(folder + "/" + file)) continue;
    std::string name = WithoutXml(file);
    if (!name.empty()) names.push_back(std::move(name));
  }
  closedir(dir);
  return names;
}

std::string ProjectStartedText(const std::tm& local) {
  char text[64];
  std::snprintf(text, sizeof text, "Project started: %04d-%02d-%02d %02d:%02d",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
  return text;
}

std::string ProjectStartedText(const std::string& name) {
  struct stat status {};
  if (stat(("Projects/" + name + ".xml").c_str(), &status) != 0) return "";
  std::tm local{};
  const std::time_t changed = status.st_ctime;
  localtime_r(&changed, &local);
  return ProjectStartedText(local);
}

std::string ProjectPreviewPath(const std::string& name) {
  const std::string path = "Projects/" + name + ".png";
  return FileSize(path) > 0 && IsRegularFile(path) ? path : "";
}

}  // namespace vorlane
