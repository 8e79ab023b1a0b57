// Go to resource on the large project: the time to answer each key as a
// name is typed (goal: under 10 ms a key).
#include <cstdio>
#include <string>

#include "large_project.h"
#include "project/resource_search.h"
#include "timing.h"

using namespace vorlane;

int main() {
  const Project project = bench::MakeLargeProject(1);
  size_t resources = project.sprites.size() + project.sounds.size() + project.musics.size() +
                     project.backgrounds.size() + project.fonts.size() + project.scenes.size() +
                     project.fns.size();
  for (const GameObject& o : project.objects) resources += o.prototype == 1 ? 1 : 0;
  std::printf("%zu resources (%zu objects and instances)\n", resources, project.objects.size());
  const std::string typed = "obj_12";
  double worst = 0;
  for (size_t n = 1; n <= typed.size(); ++n) {
    const std::string query = typed.substr(0, n);
    size_t found = 0;
    const double ms = bench::BestOf(5, [&] { found = FindResources(project, query).size(); });
    std::printf("  \"%s\": %.2f ms (%zu listed)\n", query.c_str(), ms, found);
    worst = std::max(worst, ms);
  }
  std::printf("slowest key: %.2f ms\n", worst);
}
