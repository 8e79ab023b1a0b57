// Reads a whole program folder as File > Open does: the input is the project
// file Projects/fuzz.xml, then the files of its folder Projects/fuzz/ (media
// under img/ and aud/, or beside the file for older versions), packed as
// fuzz_input.h describes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "gui/file_util.h"
#include "project/project_file.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::EnterScratchFolder();
  std::vector<fuzz::Part> parts;
  const std::string xml =
      fuzz::SplitInput(std::string_view(reinterpret_cast<const char*>(data), size), &parts);
  MakeDirectory("Projects");
  MakeDirectory("Projects/fuzz");
  MakeDirectory("_temp_fuzz");
  fuzz::WriteBytes("Projects/fuzz.xml", xml);
  for (const fuzz::Part& part : parts) fuzz::WritePart("Projects/fuzz", part);

  Project project;
  project.tempfolder = "_temp_fuzz";
  FileReport report;
  if (ReadProject(project, "fuzz", &report)) WarningText(report);
  ReadProjectVersion("fuzz");
  return 0;
}
