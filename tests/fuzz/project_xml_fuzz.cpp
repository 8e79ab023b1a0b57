// Parses a project file's text without touching any file. A text that parses
// must come back record for record once written and parsed again, as a save
// followed by an open does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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
  Check(second.uid == first.uid, "uid");
  Check(second.settings == first.settings, "settings");
  Check(second.sprites == first.sprites, "sprites");
  Check(second.frames == first.frames, "frames");
  Check(second.sounds == first.sounds, "sounds");
  Check(second.musics == first.musics, "musics");
  Check(second.backgrounds == first.backgrounds, "backgrounds");
  Check(second.fonts == first.fonts, "fonts");
  Check(second.objects == first.objects, "objects");
  Check(second.scripts == first.scripts, "scripts");
  Check(second.scenes == first.scenes, "scenes");
  Check(second.layers == first.layers, "layers");
  Check(second.tiles == first.tiles, "tiles");
  Check(second.fns == first.fns, "functions");
  return 0;
}
