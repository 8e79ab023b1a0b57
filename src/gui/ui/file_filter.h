// The program's file-type filter strings, "PNG Images (*.png)|*.png|All files
// (*.*)|*.*": display names and patterns alternate, ";" between patterns of
// one entry. The desktop's requesters want them in their own form.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

struct FileFilterEntry {
  std::string name;                   // as displayed
  std::vector<std::string> patterns;  // "*.png"; "*.*" matches every file
};

// A trailing display name without patterns gets the pattern "*.*".
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

// One entry in the desktop requester's form, "PNG Images (*.png)": the
// patterns in the brackets are the ones that filter ("*.*" becomes "*", which
// also matches names without a dot).
std::string DesktopFilterText(const FileFilterEntry& entry);

// True when `file_name` (no folder part) matches one of the entry's patterns.
bool FilterMatches(const FileFilterEntry& entry, const std::string& file_name);

}  // namespace vorlane
