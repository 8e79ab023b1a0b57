// Times building game.js for the large project at 1, 2 and 4 times its size;
// each doubling should cost about twice the time, as generation is linear.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "generate/emitters.h"
#include "generate/game_page.h"
#include "large_project.h"
#include "timing.h"

using namespace vorlane;
using Clock = std::chrono::steady_clock;

namespace {

// Reading 64 MB evicts the caches, so every size starts from memory alike;
// otherwise the small project would be timed with its data in the cache.
void EvictCaches() {
  static std::vector<char> junk(64 << 20, 1);
  volatile char sink = 0;
  for (size_t i = 0; i < junk.size(); i += 64) sink = sink + junk[i]++;
}

double Best(int runs, const std::function<void()>& work) { return bench::BestOf(runs, work, EvictCaches); }

// An engine template of plain code with every marker on a line of its own.
std::string EngineTemplate() {
  std::string engine;
  for (int i = 0; i < 2000; ++i) engine += "function engine_" + std::to_string(i) + "() { return 0; }\n";
  for (const auto marker : kTemplateMarkers) {
    engine += marker;
    engine += "\n// engine code between the markers\n";
  }
  return engine;
}

}  // namespace

int main() {
  // Large texts always get fresh memory from the system, as in a program that
  // generates once per save; otherwise glibc's moving threshold would let the
  // smaller sizes reuse warm heap pages between runs while the larger did not.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  const std::string engine = EngineTemplate();
  double previous = 0;
  for (const int scale : {1, 2, 4}) {
    const Project project = bench::MakeLargeProject(scale);
    std::string script;
    const double total = Best(7, [&] { script = BuildGameScript(project, engine, {}); });
    const double objects = Best(7, [&] { EmitObjects(project); });
    const double scenes = Best(7, [&] { EmitScenes(project); });
    const double sprites = Best(7, [&] { EmitSprites(project); });
    // The floor: copying the finished text once into fresh memory.
    const double copy = Best(7, [&] { std::string fresh = script; });
    // Every tile in one scene over a thousand layers: grouping stays n log n.
    Project layered = project;
    for (size_t i = 0; i < layered.tiles.size(); ++i) {
      layered.tiles[i].scene = layered.scenes.front().name;
      layered.tiles[i].depth = static_cast<int>(i % 1000);
    }
    const double layers = Best(7, [&] { EmitScenes(layered); });
    std::printf("scale %d: %zu objects+instances, %zu scripts, %zu tiles, %zu frames\n", scale,
                project.objects.size(), project.scripts.size(), project.tiles.size(),
                project.frames.size());
    std::printf("  game.js %.2f MB built in %8.1f ms (objects %.1f, scenes %.1f, sprites %.1f;"
                " one copy of the text %.1f)",
                script.size() / 1e6, total, objects, scenes, sprites, copy);
    if (previous > 0) std::printf("   ratio to half size %.2f", total / previous);
    std::printf("\n  scenes with all tiles in one scene over 1,000 layers %.1f ms\n", layers);
    previous = total;
  }
  return 0;
}
