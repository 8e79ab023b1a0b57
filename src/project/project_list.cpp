#include "project/project_list.h"

#include <sys/stat.h>

#include <cstdio>

#include "gui/file_util.h"
#include "project/project_paths.h"

namespace vorlane {
namespace {

std::string WithoutXml(std::string name) {
  for (size_t at; (at = name.find(".xml")) != std::string::npos;) name.erase(at, 4);
  return name;
}

}  // namespace

std::vector<std::string> RefreshProjectList(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& file : ListFolder(folder)) {
    if (!file.ends_with(".xml") || !IsRegularFile(folder + "/" + file)) continue;
    std::string name = WithoutXml(file);
    if (!name.empty()) names.push_back(std::move(name));
  }
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
  if (stat(PathsOf(name).xml.c_str(), &status) != 0) return "";
  std::tm local{};
  const std::time_t changed = status.st_ctime;
  localtime_r(&changed, &local);
  return ProjectStartedText(local);
}

std::string ProjectPreviewPath(const std::string& name) {
  const std::string path = PathsOf(name).preview;
  return FileSize(path) > 0 && IsRegularFile(path) ? path : "";
}

}  // namespace vorlane
