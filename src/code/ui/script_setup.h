// The JavaScript configuration every code dialog gives its editor.
#pragma once

#include "gui/preferences.h"
#include "code/keyword_list.h"
#include "project/model.h"

namespace vorlane {

class CodeEditor;

// Colours and font from the preferences, tabs of 4 indenting with tab
// characters, the fold margin, and the JavaScript word table built from the
// project and the keyword list as they are now.
void SetupScriptStyling(CodeEditor& editor, const Preferences& prefs, const Project& project,
                        const KeywordList& keywords);

}  // namespace vorlane
