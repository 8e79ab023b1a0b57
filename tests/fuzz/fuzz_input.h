// Shared pieces of the fuzz targets: a scratch program folder to run the
// loaders in, and the container that packs several files into one input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane::fuzz {

// One file of an input: a relative name and its bytes.
struct Part {
  std::string name;
  std::string bytes;
};

// Separates the files of an input. An input is the main file, then for each
// further file the marker, its name, a line feed and its bytes:
//   main bytes { "\0#file " name "\n" bytes }
inline constexpr std::string_view kPartMarker("\0#file ", 7);

// The main file's bytes; the other files are appended to `parts`.
std::string SplitInput(std::string_view input, std::vector<Part>* parts);

// Enters an empty scratch folder: made under the system's temporary folder
// on the first call of the process (and removed when it exits), emptied of
// what the last input left on every later call.
void EnterScratchFolder();

// Writes `part` under `folder` when its name is one or two plain names
// ("a.png", "img/a.png"), making the sub-folder; other names are dropped, so
// that no input writes outside the scratch folder.
void WritePart(const std::string& folder, const Part& part);

// Stops the run with a crash, naming the property the input broke, unless
// `holds`: what the fuzzing engine saves as a failing input.
void Require(bool holds, const char* what);

// Writes `bytes` to `path`, replacing what is there.
void WriteBytes(const std::string& path, std::string_view bytes);

}  // namespace vorlane::fuzz
