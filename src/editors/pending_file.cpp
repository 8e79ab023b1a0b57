#include "editors/pending_file.h"

#include "gui/file_util.h"

namespace vorlane {

std::string BareName(const std::string& pending) {
  const auto slash = pending.find_last_of('/');
  return slash == std::string::npos ? pending : pending.substr(slash + 1);
}

std::string CopyPendingFile(const std::string& pending, const std::string& tempfolder,
                            std::int64_t max_bytes) {
  if (pending.find('/') == std::string::npos) return "";  // the stored name: already there
  const std::string what = "The file \"" + pending + "\" could not be added";
  if (!FileExists(pending)) return what + ": it no longer exists.";
  if (FileSize(pending) == 0) return "";
  std::string error;
  if (tempfolder.empty() ||
      !CopyProgramFile(pending, tempfolder + "/" + BareName(pending), max_bytes, &error))
    return what + ". " + (error.empty() ? "There is no working folder." : error);
  return "";
}

}  // namespace vorlane
