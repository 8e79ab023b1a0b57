#include "generate/run_game.h"

#include <unistd.h>

#include <QString>
#include <QStringList>
#include <cerrno>
#include <vector>

#include "gui/file_util.h"
#include "project/project_paths.h"

namespace vorlane {

std::string WorkingDirectory() {
  std::string path;
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
  path = buffer.data();
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string GamePagePath(const std::string& working_directory, const std::string& projectname) {
  std::string folder = working_directory;
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + PathsOf(projectname).page;
}

std::string GamePageAddress(const std::string& page_path, int add_file_protocol) {
  return add_file_protocol == 1 ? "file://" + page_path : page_path;
}

bool GamePageReady(const std::string& page_path) {
  return IsRegularFile(page_path) && FileSize(page_path) > 0;
}

std::string FindInPath(const std::string& program, const std::string& path_list) {
  if (program.empty() || program.find('/') != std::string::npos) return "";
  size_t start = 0;
  while (start <= path_list.size()) {
    size_t end = path_list.find(':', start);
    if (end == std::string::npos) end = path_list.size();
    const std::string folder = path_list.substr(start, end - start);
    start = end + 1;
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + program;
    if (IsRegularFile(candidate) && FileSize(candidate) > 0 && access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return "";
}

bool OpenInWebBrowser(const std::string& address, const std::string& path_list,
                      const Launcher& launch) {
  for (const char* opener : {"x-www-browser", "xdg-open"}) {
    const std::string program = FindInPath(opener, path_list);
    if (!program.empty() && launch(program, address)) return true;
  }
  return false;
}

std::string NoBrowserMessage(const std::string& address) {
  return "No web browser could be started (neither x-www-browser nor xdg-open was found). "
         "Open this page in your browser yourself: " +
         address;
}

}  // namespace vorlane
