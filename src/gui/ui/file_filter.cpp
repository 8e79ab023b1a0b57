#include "gui/ui/file_filter.h"

#include <fnmatch.h>

namespace vorlane {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string DesktopPattern(const std::string& pattern) { return pattern == "*.*" ? "*" : pattern; }

}  // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter) {
  std::vector<FileFilterEntry> entries;
  if (filter.empty()) return entries;
  const auto parts = Split(filter, '|');
  for (size_t i = 0; i < parts.size(); i += 2) {
    // A trailing "|" leaves nothing to show.
    if (i + 1 >= parts.size() && Trimmed(parts[i]).empty()) break;
    FileFilterEntry entry;
    entry.name = Trimmed(parts[i]);
    if (i + 1 < parts.size())
      for (const auto& pattern : Split(parts[i + 1], ';'))
        if (!Trimmed(pattern).empty()) entry.patterns.push_back(Trimmed(pattern));
    if (entry.patterns.empty()) entry.patterns.push_back("*.*");
    if (entry.name.empty()) entry.name = parts.size() > i + 1 ? parts[i + 1] : "*.*";
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string DesktopFilterText(const FileFilterEntry& entry) {
  // The desktop takes the patterns from the last bracket of the text, so the
  // name's own bracket (usually the same patterns) is replaced by the real ones.
  std::string name = entry.name;
  if (!name.empty() && name.back() == ')') {
    const size_t open = name.rfind('(');
    if (open != std::string::npos) name = Trimmed(name.substr(0, open));
  }
  std::string patterns;
  for (const auto& pattern : entry.patterns) {
    if (!patterns.empty()) patterns += ' ';
    patterns += DesktopPattern(pattern);
  }
  return name + " (" + patterns + ")";
}

bool FilterMatches(const FileFilterEntry& entry, const std::string& file_name) {
  for (const auto& pattern : entry.patterns)
    if (fnmatch(DesktopPattern(pattern).c_str(), file_name.c_str(), 0) == 0) return true;
  return false;
}

}  // namespace vorlane
