#include "app/ui/registered_dialogs.h"

#include <algorithm>

#include "app/ui/extensions_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/preferences_dialog.h"
#include "app/ui/version_check_ui.h"
#include "code/ui/code_dialogs.h"
#include "editors/ui/editor_dialogs.h"
#include "generate/ui/function_library_dialogs.h"
#include "gui/text_lines.h"
#include "project/editor_run.h"
#include "project/rename.h"
#include "scene/ui/scene_editor.h"

namespace vorlane {

// Each window plugs in here, either as what a command does:
//   window.SetCommandHandler(Command::Preferences, [&window] { ... });
// or as the editor of one resource kind, given the resource's name (Edit,
// double click, and right after Add new; the browser is rebuilt afterwards):
//   window.SetResourceEditor(ResourceKind::Sprite, [&window](const std::string& name) { ... });
// window.session() holds the project, the preferences, the keyword list and
// the engine template. Commands without a handler do nothing.
void RegisterDialogs(MainWindow& window) {
  Session& s = window.session();
  QWidget* w = &window;
  window.SetCommandHandler(Command::Preferences,
                           [&s, w] { ShowPreferencesDialog(w, s.prefs, s.project); });
  window.SetCommandHandler(Command::CheckVersionAtStartup,
                           [&s, w] { CheckNewVersionAtStartup(w, s.prefs); });
  window.SetCommandHandler(Command::CheckVersion, [w] { CheckNewVersion(w); });
  window.SetCommandHandler(Command::Extensions,
                           [&s, w] { ShowExtensionsDialog(w, s.project.projectname); });
  // What the Game tab's editors store is one step each; left without a
  // change, they make none, as the resource editors do.
  const auto edits = [&s](std::string text, std::function<void()> edit) {
    return [&s, text, edit] {
      RunEditor(
          s.history, [&text] { return text; }, edit);
    };
  };
  const auto variables = [&s, w] { EditGlobalVariables(w, s.project, s.prefs, s.keywords); };
  const auto functions = [&s, w] { EditGlobalFunctions(w, s.project, s.prefs, s.keywords); };
  const auto comments = [&s, w] { EditGameComments(w, s.project); };
  window.SetCommandHandler(Command::EditGlobalVariables, edits("Edit global variables", variables));
  window.SetCommandHandler(Command::EditGlobalFunctions, edits("Edit global functions", functions));
  window.SetCommandHandler(Command::EditGameComments, edits("Edit game comments", comments));
  window.SetCommandHandler(Command::ShowGameComments, [&s, w] { ShowGameComments(w, s.project); });
  window.SetCommandHandler(Command::ExportFunctions, [&s, w] { ExportFunctions(w, s.project); });
  window.SetCommandHandler(Command::ImportFunctions, [&s, &window] {
    if (!ImportFunctions(&window, s.project)) return;
    s.history.Commit("Import functions");
    window.RefreshBrowser();
  });

  // A script's code at a line, from the Output panel or the window naming
  // scripts that do not parse. The place may be out of date: an event
  // script is looked for by its object, event and partner when its index no
  // longer holds it.
  window.SetScriptOpener([&s, w](const ScriptPlace& place, CodeSpot line) {
    Project& p = s.project;
    switch (place.kind) {
      case ScriptKind::Event: {
        const auto is_it = [&](const Script& script) {
          return script.object == place.resource && script.event == place.event &&
                 (place.parameter.empty() || TrimBlanks(script.parameter) == place.parameter);
        };
        int index = place.index;
        if (index < 0 || index >= static_cast<int>(p.scripts.size()) || !is_it(p.scripts[index]))
          index = static_cast<int>(std::find_if(p.scripts.begin(), p.scripts.end(), is_it) -
                                   p.scripts.begin());
        EditEventCode(w, p, s.prefs, s.keywords, index, line);
        return;
      }
      case ScriptKind::Scene:
        EditSceneCode(w, p, s.prefs, s.keywords,
                      ResourceIndex(p, ResourceKind::Scene, place.resource), line);
        return;
      case ScriptKind::Function:
        EditFunction(w, p, s.prefs, s.keywords, place.resource, line);
        return;
      case ScriptKind::GlobalVariables:
        EditGlobalVariables(w, p, s.prefs, s.keywords, line);
        return;
      case ScriptKind::GlobalFunctions:
        EditGlobalFunctions(w, p, s.prefs, s.keywords, line);
        return;
      case ScriptKind::Extension: return;
    }
  });

  // Resource property dialogs.
  window.SetResourceEditor(ResourceKind::Object, [&s, w](const std::string& name) {
    EditObject(w, s.project, s.prefs, s.keywords, name);
  });
  window.SetResourceEditor(ResourceKind::Sprite,
                           [&s, w](const std::string& name) { EditSprite(w, s.history, name); });
  window.SetResourceEditor(ResourceKind::Sound,
                           [&s, w](const std::string& name) { EditSound(w, s.project, name); });
  window.SetResourceEditor(ResourceKind::Music,
                           [&s, w](const std::string& name) { EditMusic(w, s.project, name); });
  window.SetResourceEditor(ResourceKind::Font,
                           [&s, w](const std::string& name) { EditFont(w, s.project, name); });
  window.SetResourceEditor(ResourceKind::Function, [&s, w](const std::string& name) {
    EditFunction(w, s.project, s.prefs, s.keywords, name);
  });
  window.SetResourceEditor(ResourceKind::Background, [&s, w](const std::string& name) {
    EditBackground(w, s.project, name);
  });
  window.SetResourceEditor(ResourceKind::Scene, [&s, w](const std::string& name) {
    OpenSceneEditor(w, s.history, s.prefs, s.keywords, name);
  });
}

}  // namespace vorlane
