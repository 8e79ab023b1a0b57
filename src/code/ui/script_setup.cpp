#include "code/ui/script_setup.h"

#include "code/script_styler.h"
#include "code/ui/code_editor.h"
#include "gui/ui/fonts.h"

namespace vorlane {

void SetupScriptStyling(CodeEditor& editor, const Preferences& prefs, const Project& project,
                        const KeywordList& keywords) {
  editor.SetEditorColor(kColorDefaultFore, prefs.sci_color_fore);
  editor.SetEditorColor(kColorSelectionBack, prefs.sci_color_selection_back);
  editor.SetEditorColor(kColorSelectionFore, prefs.sci_color_selection_fore);
  editor.SetEditorColor(kColorCaretLine, prefs.sci_color_caret);
  // The style colours come after the font: clearing all styles copies the
  // default style over every other.
  // A family the machine lacks gives way to a fixed-pitch one it has.
  editor.SetEditorFont(CodeFamily(prefs.sci_font_family), prefs.sci_font_size, -1);
  editor.SetEditorTabs(4, false);
  editor.SetMarginWidth(2, 24);

  editor.SetStyleColors(kStyleKeyword, prefs.sci_color_command, -1);
  editor.SetStyleFont(kStyleComment, "", -1, 2);
  editor.SetStyleColors(kStyleComment, prefs.sci_color_comment, -1);
  editor.SetStyleColors(kStyleEngineFunction, prefs.sci_color_vr_function, -1);
  editor.SetStyleColors(kStyleEngineVariable, prefs.sci_color_vr_variable, -1);
  editor.SetStyleColors(kStyleEngineConstant, prefs.sci_color_vr_constant, -1);
  editor.SetStyleColors(kStyleResource, prefs.sci_color_resource, -1);
  editor.SetStyleColors(kStyleString, prefs.sci_color_string, -1);
  editor.SetStyleColors(kStyleNumber, prefs.sci_color_number, -1);
  editor.SetStyleColors(kStyleFunction, prefs.sci_color_function, -1);

  // One re-styling for the whole word table instead of one per registration.
  editor.Reconfigure([&](EditorStyling& styling) { ConfigureScriptStyling(styling, project, keywords); });
}

}  // namespace vorlane
