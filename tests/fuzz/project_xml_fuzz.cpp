// Parses a project file's text without touching any file. A text that parses
// must come back record for record once written and parsed again, as a save
// followed by an open does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "project/project_file.h"

using namespace vorlane;

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "The project changed when written and read again: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Project first;
  ProjectHeader header;
  std::string error;
  if (!ParseProjectXml(bytes, first, &header, &error)) return 0;

  first.imgfolder = header.imgfolder;
  first.audfolder = header.audfolder;
  const std::string written = ProjectXml(first);
  Project second;
  ProjectHeader again;
  Check(ParseProjectXml(written, second, &again, &error), "it no longer parses");
  Check(again.version == kVersion, "version");
  Check(again.imgfolder == header.imgfolder && again.audfolder == header.audfolder, "folders");
  const auto records = [](const Project& p) {
    return std::tie(p.uid, p.settings, p.sprites, p.frames, p.sounds, p.musics, p.backgrounds,
                    p.fonts, p.objects, p.scripts, p.scenes, p.layers, p.tiles, p.fns);
  };
  Check(records(second) == records(first), "a record differs");
  return 0;
}
