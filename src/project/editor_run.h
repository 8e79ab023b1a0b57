// Running an editor window on the project. Editors mark the project modified
// when they store, most of them on "Done" whatever was typed; whether the
// project really changed is decided here, once for every editor.
#pragma once

#include <functional>

#include "project/model.h"

namespace vorlane {

// Runs `editor`. When the project was unmodified before and the editor left
// everything that is saved as it was (the stored records and settings, and
// the media files they name in the working folder, which choosing a file
// again under the same name replaces) the project stays unmodified: opening
// and closing an editor, or "Done" without a change, is no edit.
void RunEditor(Project& project, const std::function<void()>& editor);

}  // namespace vorlane
