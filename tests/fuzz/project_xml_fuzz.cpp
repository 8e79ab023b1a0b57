// Parses a project file's text without touching any file. A text that parses
// must come back record for record once written and parsed again, as a save
// followed by an open does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>

#include "fuzz/fuzz_input.h"
#include "project/project_file.h"

using namespace vorlane;

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
  fuzz::Require(ParseProjectXml(written, second, &again, &error), "a written project parses");
  fuzz::Require(again.version == kVersion, "it is written as this version");
  fuzz::Require(again.imgfolder == header.imgfolder && again.audfolder == header.audfolder,
                "its media folders come back");
  const auto records = [](const Project& p) {
    return std::tie(p.uid, p.settings, p.sprites, p.frames, p.sounds, p.musics, p.backgrounds,
                    p.fonts, p.objects, p.scripts, p.scenes, p.layers, p.tiles, p.fns);
  };
  fuzz::Require(records(second) == records(first), "every record comes back as it was");
  return 0;
}
