// Runs a fuzz target over saved inputs without the fuzzing engine, so that
// the normal build replays the seed corpus and every saved crash as a test.
// Usage: fuzz_<target> FILE-OR-FOLDER...; a folder's files are run in name
// order, and a folder that does not exist is passed over.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = fs::absolute(argv[i]);
    std::error_code ec;
    const size_t first = inputs.size();
    if (fs::is_directory(arg, ec)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(arg, ec))
        if (entry.is_regular_file(ec)) inputs.push_back(entry.path());
    } else if (fs::is_regular_file(arg, ec)) {
      inputs.push_back(arg);
    } else {
      std::printf("%s: not found, passed over\n", argv[i]);
    }
    std::sort(inputs.begin() + static_cast<std::ptrdiff_t>(first), inputs.end());
  }
  for (const fs::path& path : inputs) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    std::printf("%s\n", path.string().c_str());
    std::fflush(stdout);
    const std::string input = bytes.str();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  std::printf("%zu inputs run\n", inputs.size());
  return 0;
}
