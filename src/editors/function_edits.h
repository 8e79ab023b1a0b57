// What the function dialog's "Done" checks and stores.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

struct FunctionFields {
  std::string name;
  std::string params;  // free text, written into the game as it stands
  std::string code;
};

// "Done" for function `index`: with a valid name, stores the name, the
// parameters and the code and marks the project modified; otherwise returns
// the name's message and changes nothing. The description is left alone.
std::vector<std::string> StoreFunction(Project& project, int index, const FunctionFields& fields);

}  // namespace vorlane
