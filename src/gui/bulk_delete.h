// Deleting many files at once. Freeing a file's blocks can wait on the disk
// (a file system mounted to discard freed blocks waits for each one), and
// such waits need no processor: the deletions wait side by side.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

// Deletes every file of `paths`, returning once all are gone; a file that
// is not there needs nothing.
void DeleteFiles(const std::vector<std::string>& paths);

}  // namespace vorlane
