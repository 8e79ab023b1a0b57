// keywords.dat, the engine's list of its functions, variables and constants,
// supplied beside the program. The code editors show it (code/keyword_list.h)
// and resource names may not take its names (project/engine_names.h).
#pragma once

#include <string>
#include <vector>

namespace vorlane {

inline constexpr char kKeywordFile[] = "keywords.dat";

// One three-line record: a class marker ('!' function, '.' variable, '#'
// constant) followed by the name, then two help lines.
struct KeywordFileRecord {
  char marker = 0;
  std::string name;
  std::string help1;
  std::string help2;
};

// The file's records in order; records with any other marker are skipped.
// False, adding nothing, when the file is missing or empty; so when it is not
// a regular file or is over kMaxKeywordFileBytes, and `error` (when given)
// then says why.
bool ReadKeywordFile(const std::string& path, std::vector<KeywordFileRecord>* records,
                     std::string* error = nullptr);

}  // namespace vorlane
