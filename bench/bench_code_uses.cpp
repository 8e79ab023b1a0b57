// The uses of a name in code on the large project (6,000 scripts), with the
// name used in 2,000 places: finding them, as "Find uses" and the rename
// window do (goal: well under 100 ms), and renaming the resource with its
// uses (goal: under 200 ms).
#include <cstdio>

#include "generate/code_uses.h"
#include "large_project.h"
#include "project/rename.h"
#include "project/resource_kind.h"
#include "timing.h"

using namespace vorlane;

int main() {
  Project project = bench::MakeLargeProject(1);
  const std::string name = project.objects[0].name;
  for (size_t i = 0; i < project.scripts.size(); i += 6)
    project.scripts[i].code += "\nif (" + name + ".x > 0) with (" + name + ") y = 1;";
  size_t found = 0;
  const double find = bench::BestOf(5, [&] { found = FindCodeUses(project, name).size(); });
  std::printf("find %zu uses of %s in %zu scripts: %.1f ms\n", found, name.c_str(),
              project.scripts.size(), find);
  Project renamed;
  int changed = 0;
  const double rename = bench::BestOf(
      5,
      [&] {
        RenameResource(renamed, ResourceKind::Object, 0, "obj_renamed");
        changed = RenameInCode(renamed, name, "obj_renamed");
      },
      [&] { renamed = project; });
  std::printf("rename the object and its %d uses: %.1f ms\n", changed, rename);
}
