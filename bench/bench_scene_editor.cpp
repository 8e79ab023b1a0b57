// Times the scene editor on a crowded scene: 10,000 instances and 20,000
// tiles over 10 layers, seen through a 1280 x 800 view. Measures one repaint
// of the view, a Shift-drag that paints instances (one event and its
// repaint), and the processor time an idle open editor takes.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "gui/ui/canvas.h"
#include "gui/ui/scripted_dialogs.h"
#include "large_project.h"
#include "project/thumbnails.h"
#include "scene/layer_edits.h"
#include "scene/ui/scene_editor.h"
#include "timing.h"

using namespace vorlane;

namespace {

double CpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ScriptedDialogs answers;
  Project project = bench::MakeLargeProject(1);
  BuildThumbnails(project);
  const std::string scene = project.scenes[0].name;
  project.scenes[0].width = 4000;
  project.scenes[0].height = 2500;
  int instances = 0;
  for (GameObject& record : project.objects) {
    if (record.prototype != 0) continue;
    record.scene = scene;
    record.x = (instances * 37) % 4000;
    record.y = (instances * 53) % 2500;
    ++instances;
  }
  for (size_t i = 0; i < project.tiles.size(); ++i) {
    Tile& tile = project.tiles[i];
    tile.scene = scene;
    tile.depth = 1000 * static_cast<int>(i % 10);
    tile.x = static_cast<int>(i * 29 % 4000);
    tile.y = static_cast<int>(i * 31 % 2500);
  }
  // The tile sets' pictures, which the editor cuts the tiles from.
  const auto folder = std::filesystem::temp_directory_path() / "vorlane-bench-scene";
  std::filesystem::create_directories(folder);
  project.tempfolder = folder.string();
  for (const Background& set : project.backgrounds)
    SavePng(Image::Transparent(256, 256), project.tempfolder + "/" + set.file);
  for (int layer = 0; layer < 10; ++layer)
    AddSceneLayer(project, scene, std::to_string(1000 * layer));

  Preferences prefs;
  KeywordList keywords;
  EditStack history(project);
  SceneEditor editor(nullptr, history, prefs, keywords, 0);
  editor.resize(1280 + 340, 800 + 60);
  editor.show();
  QApplication::processEvents();
  QWidget* view = editor.findChild<QScrollArea*>()->viewport();
  editor.resize(editor.width() + 1280 - view->width(), editor.height() + 800 - view->height());
  QApplication::processEvents();
  std::printf("view %d x %d; %d instances, %zu tiles in the scene\n", view->width(),
              view->height(), instances, project.tiles.size());

  const double repaint = bench::BestOf(5, [&] { view->grab(); });
  editor.canvas()->SetShrink(4);  // the whole scene in view
  QApplication::processEvents();
  const double repaint_quarter = bench::BestOf(5, [&] { view->grab(); });
  editor.canvas()->SetZoom(8);
  QApplication::processEvents();
  const double repaint_eight = bench::BestOf(5, [&] { view->grab(); });
  editor.canvas()->SetZoom(1);
  QApplication::processEvents();

  editor.tabs()->setCurrentIndex(1);
  CanvasTool* tool = editor.canvas()->tool();
  int x = 10;
  tool->Press(PointerEvent{x, 300, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier});
  QElapsedTimer clock;
  clock.start();
  const int events = 60;
  for (int i = 0; i < events; ++i) {
    x += 7;  // a new cell every third event or so
    tool->Move(PointerEvent{x, 300, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier});
    view->grab();
  }
  const double per_event = clock.nsecsElapsed() / 1e6 / events;
  QElapsedTimer release_clock;
  release_clock.start();
  tool->Release(PointerEvent{x, 300, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier});
  const double release = release_clock.nsecsElapsed() / 1e6;

  const double cpu_before = CpuMilliseconds();
  QEventLoop idle;
  QTimer::singleShot(3000, &idle, &QEventLoop::quit);
  idle.exec();
  const double idle_share = (CpuMilliseconds() - cpu_before) / 3000 * 100;

  std::printf("repaint of the view, best of 5:      %7.2f ms   (goal < 16 ms)\n", repaint);
  std::printf("the same at zoom 1/4 (whole scene):   %7.2f ms   (goal < 16 ms)\n", repaint_quarter);
  std::printf("the same at zoom 8:                  %7.2f ms\n", repaint_eight);
  std::printf("Shift-drag, per event with repaint:  %7.2f ms   (goal < 16 ms)\n", per_event);
  std::printf("end of the drag (one undo step):     %7.2f ms\n", release);
  std::printf("idle editor, 3 s:                    %7.2f %% of a core (goal < 1 %%)\n",
              idle_share);
  return 0;
}
