// Times one editor step on the large project (12,000 objects and instances,
// 6,000 scripts, 20,000 tiles): placing an instance, moving the selected
// instances of a scene, deleting an object with its instances, and undoing
// and redoing them. A step compares the whole project once, so it should
// stay well under the 33 ms of one frame of the scene editor.
#include <cstdio>
#include <string>

#include "large_project.h"
#include "project/edit_stack.h"
#include "timing.h"

using namespace vorlane;

int main() {
  Project project = bench::MakeLargeProject();
  std::printf("objects %zu, scripts %zu, tiles %zu\n", project.objects.size(),
              project.scripts.size(), project.tiles.size());
  EditStack stack(project);
  const std::string scene = project.scenes[0].name;
  const std::string object = project.objects[0].name;
  int step = 0;

  const auto report = [](const char* what, double ms) { std::printf("%-34s %8.2f ms\n", what, ms); };
  report("first step (stack opened)", bench::BestOf(1, [&] {
           stack.Apply("Place", [&](Project& p) { p.objects.push_back({.prototype = 0}); });
         }));
  report("place one instance", bench::BestOf(10, [&] {
           stack.Apply("Place", [&](Project& p) {
             p.objects.push_back({.prototype = 0, .name = "i" + std::to_string(++step)});
           });
         }));
  report("move a scene's instances", bench::BestOf(10, [&] {
           stack.Apply("Move", [&](Project& p) {
             for (auto& o : p.objects)
               if (o.scene == scene) o.x += 1;
           });
         }));
  report("delete an object and its instances", bench::BestOf(1, [&] {
           stack.Apply("Delete", [&](Project& p) { DeleteObject(p, object); });
         }));
  report("undo", bench::BestOf(10, [&] { stack.Undo(); }));
  report("redo", bench::BestOf(10, [&] { stack.Redo(); }));
  report("a step that changes nothing", bench::BestOf(10, [&] { stack.Apply("None", [](Project&) {}); }));
  return 0;
}
