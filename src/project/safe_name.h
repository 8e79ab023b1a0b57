// Names read from a project file end up in paths. Only a plain file name
// (no folder part, not "." or "..") may be joined to a folder, so that no
// entry can make a read or write reach outside the folder it belongs to.
#pragma once

#include <string>
#include <string_view>

namespace vorlane {

bool IsPlainFileName(std::string_view name);

}  // namespace vorlane
