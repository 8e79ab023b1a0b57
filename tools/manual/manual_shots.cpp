// Draws the manual's pictures of the program's windows: the main window and
// each editor with the example game open, grabbed off screen. Run it in a
// program folder holding the example game; it writes PNG files into the
// folder given as the only argument. tools/manual/make_pictures.sh runs it.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/ui/application.h"
#include "app/ui/find_panel.h"
#include "app/ui/go_to_window.h"
#include "app/ui/main_window.h"
#include "app/ui/output_panel.h"
#include "app/ui/script_problems_dialog.h"
#include "app/ui/uses_windows.h"
#include "code/ui/event_code_dialog.h"
#include "editors/ui/background_dialog.h"
#include "editors/ui/object_dialog.h"
#include "editors/ui/sprite_dialog.h"
#include "image/ui/frame_editor.h"
#include "project/lifecycle.h"
#include "project/rename.h"
#include "scene/ui/scene_editor.h"

namespace vorlane {
namespace {

QString out_folder;
int failures = 0;

void Save(QWidget& window, const char* name) {
  window.show();
  QApplication::processEvents();
  const QString path = out_folder + "/" + name + ".png";
  if (!window.grab().save(path, "PNG", 9)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    ++failures;
  }
  window.hide();
}

int Run() {
  Application app;
  StartOptions options;
  options.splash_pause = false;
  options.show_windows = false;
  app.Start(options);
  Session& session = app.session();
  MainWindow& window = *app.window();
  FileReport report;
  if (!OpenProjectNamed(session.project, session.prefs, "gem_garden", &report)) {
    std::fprintf(stderr, "the example game could not be opened: %s\n", report.error.c_str());
    return 1;
  }
  session.history.Reset();
  Project& p = session.project;
  window.resize(900, 560);
  window.RefreshBrowser();
  window.UpdateTitle();
  for (int i = 0; i < window.tabs()->count(); ++i)
    if (window.tabs()->tabText(i).trimmed() == "Objects") window.tabs()->setCurrentIndex(i);
  Save(window, "main-window");

  const auto index = [&](ResourceKind kind, const char* name) {
    return ResourceIndex(p, kind, name);
  };
  {
    ObjectDialog dialog(&window, p, session.prefs, session.keywords,
                        index(ResourceKind::Object, "obj_player"));
    Save(dialog, "object-dialog");
  }
  {
    SpriteDialog dialog(&window, session.history, index(ResourceKind::Sprite, "spr_player"));
    Save(dialog, "sprite-dialog");
  }
  {
    FrameEditor editor(&window, session.history, "spr_slime");
    Save(editor, "frame-editor");
  }
  {
    BackgroundDialog dialog(&window, p, index(ResourceKind::Background, "bg_tiles"));
    Save(dialog, "background-dialog");
  }
  for (const auto& [tab, name] :
       {std::pair{1, "scene-editor"}, std::pair{3, "scene-editor-tiles"}}) {
    SceneEditor editor(&window, session.history, session.prefs, session.keywords,
                       index(ResourceKind::Scene, "scene_level"));
    editor.tabs()->setCurrentIndex(tab);
    Save(editor, name);
  }
  for (Script& script : p.scripts) {
    if (script.object != "obj_player" || script.event != "Step") continue;
    EventCodeDialog dialog(&window, script, p, session.prefs, session.keywords);
    Save(dialog, "event-code");
    break;
  }
  {
    const std::vector<ScriptProblem> problems = {
        {{ScriptKind::Event, "obj_player", "Creation", "", 0}, {1, "Expected a value"}},
        {{ScriptKind::Function, "fn_jump", "", "", 0}, {4, "The '{' of line 2 is not closed"}},
    };
    ScriptProblemsDialog dialog(&window, problems);
    Save(dialog, "script-problems");
  }
  {
    // A debug run's Output panel as the game's reports fill it.
    const ScriptPlace step{ScriptKind::Event, "obj_player", "Step", "", 0};
    DebugEntry message{DebugEntry::Kind::Debug, "gems: 3", step, 2, "", "14:02:07", 57};
    DebugEntry error{DebugEntry::Kind::Error,
                     "Uncaught ReferenceError: not_a_function is not defined",
                     step,
                     3,
                     "",
                     "14:02:08",
                     1};
    DebugEntry log{DebugEntry::Kind::Log, "level loaded", std::nullopt, 0, "", "14:02:09", 1};
    window.resize(900, 700);
    window.output_panel()->Add({message, error, log});
    window.output_panel()->show();
    Save(window, "debug-output");
    window.output_panel()->tabs()->setCurrentIndex(1);
    window.output_panel()->ShowInstances(
        {{"obj_player", 120, 64, -10, {{"gems", "3"}, {"hurt", "false"}}},
         {"obj_gem", 200, 96, 0, {{"value", "10"}}},
         {"obj_slime", 320, 128, 0, {{"dir", "1"}}}});
    window.output_panel()->SetPaused(true);
    Save(window, "debug-instances");
    window.output_panel()->hide();
    window.find_panel()->Begin();
    window.find_panel()->field()->setText("gem");
    window.find_panel()->whole_word()->setChecked(false);
    window.find_panel()->RunPendingSearch();
    Save(window, "find-in-project");
    window.find_panel()->hide();
  }
  {
    GoToWindow go_to(&window, p);
    go_to.field()->setText("pl");
    Save(go_to, "go-to-resource");
  }
  {
    UsesWindow uses(&window, "obj_gem", FindResourceUses(p, ResourceKind::Object, "obj_gem"));
    Save(uses, "find-uses");
    const std::vector<ResourceUse> in_code = CodeUseEntries(p, "obj_gem");
    CodeRenameWindow rename(&window, "obj_gem", "obj_jewel", in_code);
    Save(rename, "rename-in-code");
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace vorlane

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vorlane-manual-shots OUTPUT-FOLDER\n");
    return 2;
  }
  QApplication qt(argc, argv);
  vorlane::out_folder = QString::fromLocal8Bit(argv[1]);
  return vorlane::Run();
}
