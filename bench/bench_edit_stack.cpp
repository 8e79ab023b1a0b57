// Times the project's history on the large project (12,000 objects and
// instances, 6,000 scripts, 20,000 tiles): placing an instance, moving the
// instances of a scene, renaming an object (which ripples through its
// instances and scripts), deleting an object with its instances, the end of
// a Shift-drag that placed twenty instances, undo and redo; then the memory
// the history holds after its 200 steps of such edits.
#include <malloc.h>

#include <cstdio>
#include <string>

#include "large_project.h"
#include "project/edit_stack.h"
#include "project/rename.h"
#include "timing.h"

using namespace vorlane;

namespace {

double HeapMegabytes() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

}  // namespace

int main() {
  Project project = bench::MakeLargeProject();
  std::printf("objects %zu, scripts %zu, tiles %zu\n", project.objects.size(),
              project.scripts.size(), project.tiles.size());
  EditStack stack(project);
  const double heap_before = HeapMegabytes();
  const std::string scene = project.scenes[0].name;
  int step = 0;
  const auto place = [&](Project& p) {
    p.objects.push_back({.prototype = 0, .name = "i" + std::to_string(++step), .scene = scene});
  };
  const auto move = [&](Project& p) {
    for (auto& o : p.objects)
      if (o.scene == scene) o.x += 1;
  };
  const auto rename = [&](Project& p) {
    const std::string& name = p.objects[2].name;
    RenameResource(p, ResourceKind::Object, 2, name + "x");
  };

  const auto report = [](const char* what, double ms) {
    std::printf("%-36s %8.2f ms\n", what, ms);
  };
  report("a fresh history (New, Open)", bench::BestOf(5, [&] { stack.Reset(); }));
  report("first step (history opened)", bench::BestOf(1, [&] { stack.Apply("Place", place); }));
  report("place one instance", bench::BestOf(10, [&] { stack.Apply("Place", place); }));
  report("move a scene's instances", bench::BestOf(10, [&] { stack.Apply("Move", move); }));
  report("rename an object everywhere", bench::BestOf(5, [&] { stack.Apply("Rename", rename); }));
  const auto paint = [&] {  // a Shift-drag's steps, up to its release
    stack.Begin("Paint");
    for (int i = 0; i < 20; ++i) place(project);
  };
  report("end of a Shift-drag (20 placed)", bench::BestOf(10, [&] { stack.End(); }, paint));
  {
    Project copy = project;
    report("  the deletion alone, without history",
           bench::BestOf(1, [&] { DeleteObject(copy, copy.objects[0].name); }));
  }
  report("delete an object and its instances", bench::BestOf(1, [&] {
           stack.Apply("Delete", [&](Project& p) { DeleteObject(p, p.objects[0].name); });
         }));
  report("undo", bench::BestOf(10, [&] { stack.Undo(); }));
  report("redo", bench::BestOf(10, [&] { stack.Redo(); }));
  report("a step that changes nothing", bench::BestOf(10, [&] { stack.Apply("None", [](Project&) {}); }));

  // Fill the history to its limit with the same mix of edits.
  for (int i = 0; stack.count() < 200 || i < 200; ++i) {
    switch (i % 4) {
      case 0: stack.Apply("Place", place); break;
      case 1: stack.Apply("Move", move); break;
      case 2: stack.Apply("Rename", rename); break;
      case 3: stack.Apply("Delete", [](Project& p) { DeleteObject(p, p.objects[4].name); }); break;
    }
  }
  std::printf("%-36s %8.1f MB (%d steps)\n", "history held", HeapMegabytes() - heap_before,
              stack.count());
  return 0;
}
