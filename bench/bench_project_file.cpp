// Times saving and opening a large project, and compares the XML work with
// its lower bounds: a bare expat parse of the same file and writing the same
// bytes with one write call.
#include <expat.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "gui/file_util.h"
#include "large_project.h"
#include "project/project_file.h"
#include "timing.h"

using namespace vorlane;
using Clock = std::chrono::steady_clock;

namespace {

double Best(int runs, const std::function<void()>& work) { return bench::BestOf(runs, work); }

void WriteOnce(const std::string& path, const std::string& bytes, bool sync) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  if (sync) ::fsync(fd);
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const int scale = argc > 1 ? std::atoi(argv[1]) : 1;
  const auto folder = bench::FreshFolder("vorlane-bench-project");
  std::filesystem::create_directories(folder / "Projects");
  std::filesystem::create_directories(folder / "_temp_bench");
  std::filesystem::current_path(folder);

  Project project = bench::MakeLargeProject(scale, "_temp_bench");
  FileReport report;
  // "open": one save, then only opens, for profiling the open.
  if (argc > 2 && std::string(argv[2]) == "open") {
    WriteProject(project, &report);
    Project opened;
    opened.tempfolder = "_temp_bench";
    const double open = Best(20, [&] { ReadProject(opened, "large", &report); });
    std::printf("ReadProject (whole open)        %8.1f ms\n", open);
    std::filesystem::current_path("/");
    std::filesystem::remove_all(folder);
    return 0;
  }
  std::string xml;
  const double build = Best(5, [&] { xml = ProjectXml(project); });
  const double write_plain = Best(5, [&] { WriteOnce("plain.xml", xml, false); });
  const double write_sync = Best(5, [&] { WriteOnce("plain.xml", xml, true); });
  const double png = Best(1, [&] {
    for (const auto& frame : project.frames) EncodePng(*frame.image);
  });
  const auto save_once = [&] {
    if (!WriteProject(project, &report)) std::printf("save failed: %s\n", report.error.c_str());
  };
  // The first save writes every file; later ones leave unchanged frames alone.
  const double first_save = Best(1, save_once);
  const double save = Best(3, save_once);
  for (auto& frame : project.frames) {
    Image changed = *frame.image;
    changed.Plot(0, 0, Color{1, 2, 3, 255});
    frame.image = ShareImage(std::move(changed));
  }
  const double changed_save = Best(1, save_once);
  // Saved again at once, the files just replaced are among those freed
  // in the last seconds.
  for (auto& frame : project.frames) {
    Image changed = *frame.image;
    changed.Plot(0, 0, Color{4, 5, 6, 255});
    frame.image = ShareImage(std::move(changed));
  }
  const double changed_again = Best(1, save_once);

  const double bare = Best(5, [&] {
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1);
    XML_ParserFree(parser);
  });
  const double parse = Best(5, [&] {
    Project into;
    ProjectHeader header;
    std::string error;
    if (!ParseProjectXml(xml, into, &header, &error)) std::printf("parse failed: %s\n", error.c_str());
  });
  const double decode = Best(1, [&] {
    for (const auto& frame : project.frames)
      LoadImageFile("Projects/large/img/" + frame.sprite + "_" + frame.file + ".png");
  });
  Project opened;
  opened.tempfolder = "_temp_bench";
  const double open = Best(3, [&] {
    if (!ReadProject(opened, "large", &report)) std::printf("open failed: %s\n", report.error.c_str());
  });

  std::printf("project: %zu sprites, %zu frames, %zu objects+instances, %zu scripts, %zu tiles\n",
              project.sprites.size(), project.frames.size(), project.objects.size(),
              project.scripts.size(), project.tiles.size());
  std::printf("file size                       %8.2f MB\n", xml.size() / 1e6);
  std::printf("build XML text                  %8.1f ms\n", build);
  std::printf("one write() of the same bytes   %8.1f ms (with fsync %.1f ms)\n", write_plain, write_sync);
  std::printf("  ratio build / write           %8.2f   (with fsync %.2f)\n", build / write_plain, build / write_sync);
  std::printf("bare expat parse                %8.1f ms\n", bare);
  std::printf("XML part of ReadProject         %8.1f ms\n", parse);
  std::printf("  ratio parse / bare parse      %8.2f\n", parse / bare);
  std::printf("WriteProject, first save        %8.1f ms, of which PNG encoding %.1f ms\n", first_save, png);
  std::printf("WriteProject, every frame changed %6.1f ms (again at once: %.1f ms)\n", changed_save,
              changed_again);
  std::printf("WriteProject, nothing changed   %8.1f ms\n", save);
  std::printf("ReadProject (whole open)        %8.1f ms, of which PNG decoding %.1f ms\n", open, decode);
  std::printf("first save + open               %8.1f ms\n", first_save + open);
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  return 0;
}
