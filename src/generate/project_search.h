// Find in project: a text searched for in every script the user wrote and
// in every resource name, and replaced in the scripts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "generate/script_place.h"
#include "project/resource_kind.h"

namespace vorlane {

struct SearchOptions {
  bool match_case = false;
  bool whole_word = false;  // not touching letters, digits, _ or $ on either side
  bool regex = false;       // a regular expression as Qt's (Perl's) syntax has it
};

// One match in a script: where, and the matched bytes of its line.
struct SearchHit {
  ScriptPlace place;
  bool in_params = false;  // in a function's parameter list
  int line = 1;
  int column = 0;  // bytes from the line's start
  int length = 0;  // bytes
  std::string line_text;
};

struct NameHit {
  ResourceKind kind;
  std::string name;
};

// At most this many script matches are kept, so that a search for one
// letter cannot take memory without bound.
inline constexpr size_t kMaxSearchHits = 5000;

struct SearchResults {
  std::vector<NameHit> names;  // by kind, in list order
  std::vector<SearchHit> hits;  // in ProjectScripts' order, then by position
  bool more = false;            // matches beyond kMaxSearchHits were left out
  std::string error;            // "The regular expression is not valid: ..."
};

// Searching for nothing finds nothing; matches of no length are skipped.
SearchResults SearchProject(const Project& project, std::string_view text,
                            const SearchOptions& options);

// One changed line of a replace: before and after.
struct LineChange {
  ScriptPlace place;
  bool in_params = false;
  int line = 1;
  std::string before;
  std::string after;
};

// Replace all, in the scripts only (resource names change in their own
// windows, where the new name is checked). With a regular expression the
// replacement may name what the parentheses caught, as \1 or $1 (\0 and $0
// the whole match). The preview lists every line that would change, the
// replace returns how many matches it replaced.
std::vector<LineChange> ReplacePreview(const Project& project, std::string_view text,
                                       std::string_view replacement, const SearchOptions& options);
int ReplaceInScripts(Project& project, std::string_view text, std::string_view replacement,
                     const SearchOptions& options);

}  // namespace vorlane
