// Reads the installed extensions as the Game tab does. The input is the
// extension file Extensions/fuzz.tex, then further files packed as
// fuzz_input.h describes: "extensions.dat" is the project's list of enabled
// extensions (Projects/fuzz/extensions.dat), any other name is a file of
// Extensions/.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "generate/extensions.h"
#include "gui/file_util.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::EnterScratchFolder();
  std::vector<fuzz::Part> parts;
  const std::string text =
      fuzz::SplitInput(std::string_view(reinterpret_cast<const char*>(data), size), &parts);

  Extension direct;
  ParseExtensionText(text, direct);
  ExtensionInfoText(direct);

  MakeDirectory("Extensions");
  MakeDirectory("Projects");
  MakeDirectory("Projects/fuzz");
  fuzz::WriteBytes("Extensions/fuzz.tex", text);
  for (const fuzz::Part& part : parts) {
    if (part.name == "extensions.dat")
      fuzz::WriteBytes("Projects/fuzz/extensions.dat", part.bytes);
    else
      fuzz::WritePart("Extensions", part);
  }
  std::vector<std::string> enabled;
  for (const Extension& e : LoadExtensions("fuzz")) {
    ExtensionInfoText(e);
    if (e.enabled) enabled.push_back(e.filename);
  }
  SaveEnabledExtensions("fuzz", enabled);
  ReadEnabledExtensions("fuzz");
  return 0;
}
