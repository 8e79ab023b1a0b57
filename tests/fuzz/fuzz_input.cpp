#include "fuzz/fuzz_input.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vorlane::fuzz {
namespace {

namespace fs = std::filesystem;

std::string scratch_folder;

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace

std::string SplitInput(std::string_view input, std::vector<Part>* parts) {
  size_t at = input.find(kPartMarker);
  const std::string main(input.substr(0, at));
  while (at != std::string_view::npos) {
    at += kPartMarker.size();
    const size_t next = input.find(kPartMarker, at);
    const std::string_view part = input.substr(at, next == input.npos ? next : next - at);
    if (const size_t eol = part.find('\n'); eol != part.npos)
      parts->push_back({std::string(part.substr(0, eol)), std::string(part.substr(eol + 1))});
    at = next;
  }
  return main;
}

void EnterScratchFolder() {
  std::error_code ec;
  if (!scratch_folder.empty()) {
    for (const fs::directory_entry& entry : fs::directory_iterator(".", ec))
      fs::remove_all(entry.path(), ec);
    return;
  }
  std::string pattern = (fs::temp_directory_path() / "vorlane-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  scratch_folder = pattern;
  fs::current_path(scratch_folder);
  std::atexit([] {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(ignored), ignored);
    fs::remove_all(scratch_folder, ignored);
  });
}

void WritePart(const std::string& folder, const Part& part) {
  const size_t slash = part.name.find('/');
  const std::string_view first = std::string_view(part.name).substr(0, slash);
  if (!IsPlainName(first)) return;
  std::string path = folder + "/" + std::string(first);
  if (slash != std::string::npos) {
    const std::string_view second = std::string_view(part.name).substr(slash + 1);
    if (!IsPlainName(second)) return;
    std::error_code ec;
    fs::create_directory(path, ec);
    path += "/" + std::string(second);
  }
  WriteBytes(path, part.bytes);
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "Broken: %s\n", what);
  std::abort();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vorlane::fuzz
