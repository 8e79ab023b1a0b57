#include "gui/keyword_file.h"

#include <string_view>

#include "gui/file_limits.h"
#include "gui/file_util.h"
#include "gui/text_lines.h"

namespace vorlane {

bool ReadKeywordFile(const std::string& path, std::vector<KeywordFileRecord>* records,
                     std::string* error) {
  const std::int64_t size = FileSize(path);
  if (size < 0 || (size == 0 && IsRegularFile(path))) return false;
  std::string bytes;
  if (!ReadFile(path, &bytes, kMaxKeywordFileBytes, error)) return false;
  std::string_view text = bytes;
  // Editors like to put a byte-order mark in front; it is not a class marker.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::vector<std::string_view> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); i += 3) {
    const std::string_view head = lines[i];
    if (head.empty() || std::string_view("!.#").find(head[0]) == std::string_view::npos) continue;
    // An incomplete last record gets empty help lines.
    const std::string_view help1 = i + 1 < lines.size() ? lines[i + 1] : std::string_view();
    const std::string_view help2 = i + 2 < lines.size() ? lines[i + 2] : std::string_view();
    records->push_back(
        {head[0], std::string(head.substr(1)), std::string(help1), std::string(help2)});
  }
  return true;
}

}  // namespace vorlane
