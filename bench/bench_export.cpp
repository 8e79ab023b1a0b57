// Exports a project holding one large sound (300 MB unless a size in MB is
// given) and prints the time taken and the process's peak memory before and
// after: the export streams every file, so its own memory stays small
// whatever the size of the media. Run by hand: build/bench/bench_export [MB]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "generate/game_export.h"
#include "gui/file_util.h"

using namespace vorlane;

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

// 16-bit stereo samples of a tone with some noise, which deflates about as
// little as a real recording; written a megabyte at a time.
void WriteSound(const std::string& path, std::int64_t megabytes) {
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF\0\0\0\0WAVEfmt ", 16);  // a header; players are not asked
  std::vector<std::int16_t> block(1 << 19);
  std::uint32_t noise = 1;
  std::int64_t sample = 0;
  for (std::int64_t i = 0; i < megabytes; ++i) {
    for (std::int16_t& value : block) {
      noise = noise * 1664525u + 1013904223u;
      value = static_cast<std::int16_t>(8000 * std::sin(sample++ * 0.0627) + (noise >> 22) - 512);
    }
    out.write(reinterpret_cast<const char*>(block.data()),
              static_cast<std::streamsize>(block.size() * sizeof block[0]));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 300;
  char folder[] = "/tmp/vorlane-bench-export-XXXXXX";
  if (!::mkdtemp(folder) || ::chdir(folder) != 0) return 1;
  for (const char* path : {"Projects", "Projects/bench", "Projects/bench/aud"}) MakeDirectory(path);
  WriteFileAtomic("Projects/bench/index.html", "<html></html>");
  WriteFileAtomic("Projects/bench/game.js", "// the game");
  WriteSound("Projects/bench/aud/big.wav", megabytes);
  Project project;
  project.projectname = "bench";
  project.sounds.push_back({"snd_big", "big.wav", "", ""});

  const double baseline = PeakMegabytes();
  int reports = 0;
  ExportReport report;
  const auto start = std::chrono::steady_clock::now();
  const bool ok = ExportGame(project, "bench.zip", &report, [&](double) {
    ++reports;
    return true;
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double peak = PeakMegabytes();
  std::printf("export of a %lld MB sound: %s\n", static_cast<long long>(megabytes),
              ok ? "written" : report.error.c_str());
  std::printf("  time          %.1f s (%.0f MB/s), %d progress reports\n", seconds,
              megabytes / seconds, reports);
  std::printf("  zip           %.1f MB\n", FileSize("bench.zip") / 1048576.0);
  std::printf("  peak memory   %.1f MB before, %.1f MB after: %.1f MB for the export\n", baseline,
              peak, peak - baseline);
  std::filesystem::current_path("/tmp");
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
