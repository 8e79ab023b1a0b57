// Deleting files the program no longer needs, on a thread of its own. A
// save replaces each changed file by renaming a new one into place; freeing
// the old file's blocks can wait on the disk (a file system mounted to
// discard freed blocks waits for each), and nobody waits for that work.
// Files still queued when the program ends are deleted before it exits.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

void DeleteLater(std::vector<std::string> paths);

// Returns once every file queued so far is deleted (for tests, and before
// a folder they are in goes away).
void FinishDeletes();

}  // namespace vorlane
