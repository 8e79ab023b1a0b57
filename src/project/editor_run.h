// Running a window that changes the project directly (a property dialog, a
// code window): what it stored on "Done" becomes one step of the history.
#pragma once

#include <functional>
#include <string>

#include "project/edit_stack.h"

namespace vorlane {

// Runs `editor` and makes what it stored one step called `text()` (asked
// before, to name steps the window makes inside, and after, when a rename
// may have changed it). Opening and closing it, or "Done" without a change,
// makes no step and leaves the modified flag as it was. A media file it
// replaced in the working folder (choosing a file again under the same name
// replaces it) cannot be taken back: the project stays modified until saved.
void RunEditor(EditStack& history, const std::function<std::string()>& text,
               const std::function<void()>& editor);

}  // namespace vorlane
