// The engine's functions, variables and constants with their help lines:
// keywords.dat plus the built-in key constants. Filled once at start-up and
// read by every code editor (colours, completion, help lines).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gui/keyword_file.h"

namespace vorlane {

struct KeywordRecord {
  std::string name;
  std::string class_;  // "Fn", "Var" or "Cons"
  std::string help1;
  std::string help2;
};

using KeywordList = std::vector<KeywordRecord>;

void AddKeywordRecord(KeywordList& list, std::string name, std::string class_, std::string help1,
                      std::string help2);

// Appends one record per three-line record of the file: a class character
// ('!' function, '.' variable, '#' constant) and the name, then two help
// lines. Records of any other class are skipped. A missing or empty file
// adds nothing; false then. So does one that is not a regular file or is
// over kMaxKeywordFileBytes, and `error` (when given) then says why.
bool LoadKeywordFile(KeywordList& list, const std::string& path = kKeywordFile,
                     std::string* error = nullptr);

// The 82 key-code constants ("vk_0" .. "vk_z") in the engine's order.
const std::vector<std::string>& KeyConstantNames();
// Appends them as "Cons" records without help.
void AddKeyConstants(KeywordList& list);

// Start-up: the file's records followed by the key constants.
KeywordList LoadKeywordList(const std::string& path = kKeywordFile);

// Index of the first record named exactly `name` that has help text, -1 when
// none does.
int FindKeywordWithHelp(const KeywordList& list, std::string_view name);

}  // namespace vorlane
