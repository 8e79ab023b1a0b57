#include "app/supplied_files.h"

#include "code/keyword_list.h"
#include "gui/file_util.h"
#include "gui/preferences.h"

namespace vorlane {

std::vector<std::string> UnreadableSuppliedFiles() {
  const struct {
    const char* path;
    std::int64_t max_bytes;
  } files[] = {{kKeywordFile, kMaxKeywordFileBytes},
               {"export.js", kMaxEngineTemplateBytes},
               {kPreferencesFile, kMaxSettingsFileBytes}};
  std::vector<std::string> problems;
  for (const auto& file : files) {
    std::string error;
    if (FileExists(file.path) && !CanReadFile(file.path, file.max_bytes, &error))
      problems.push_back(error);
  }
  return problems;
}

}  // namespace vorlane
