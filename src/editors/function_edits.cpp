#include "editors/function_edits.h"

#include "project/rename.h"

namespace vorlane {

std::vector<std::string> StoreFunction(Project& project, int index, const FunctionFields& fields) {
  if (std::string error = CheckResourceName(project, ResourceKind::Function, fields.name, index);
      !error.empty())
    return {error};
  RenameResource(project, ResourceKind::Function, index, fields.name);
  UserFunction& function = project.fns.at(index);
  function.params = fields.params;
  function.code = fields.code;
  SetModified(project, 1);
  return {};
}

}  // namespace vorlane
