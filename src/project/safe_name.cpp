#include "project/safe_name.h"

namespace vorlane {

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // A backslash is an ordinary character here, but it is a folder separator
  // on other systems the project may travel to.
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace vorlane
