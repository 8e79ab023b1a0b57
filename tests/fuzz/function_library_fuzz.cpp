// Imports a function library into a small project, from its bytes and from
// a file, as the Functions tab does. What was imported must export into a
// library that reads back with the same functions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "generate/function_library.h"

using namespace vorlane;

namespace {

Project SmallProject() {
  Project p;
  p.projectname = "fuzz";
  p.fns.push_back({"add", "a, b", "Adds two numbers", "return a + b;"});
  p.fns.push_back({"add_2", "", "", "  // nothing\n\treturn 2;\n"});
  p.fns.push_back({"move", "x", "Moves \"x\"", "x += 1;\r\n  return x;"});
  return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<UserFunction> parsed;
  std::string error;
  ParseFunctionLibrary(bytes, &parsed, &error);

  Project project = SmallProject();
  LibraryImport result;
  if (ImportFunctionLibraryText(project, bytes, &result)) {
    const std::string library = FunctionLibraryXml(project, {}, "author", "description");
    std::vector<UserFunction> back;
    fuzz::Require(ParseFunctionLibrary(library, &back, &error), "the exported library parses");
    fuzz::Require(back.size() == project.fns.size(), "the export holds every function");
    for (size_t i = 0; i < back.size(); ++i) {
      UserFunction expected = project.fns[i];
      expected.code = LibraryCode(expected.code);
      fuzz::Require(back[i] == expected, "an imported function exports as it is");
    }
  }

  fuzz::EnterScratchFolder();
  fuzz::WriteBytes("library.xml", bytes);
  Project other = SmallProject();
  ImportFunctionLibrary(other, "library.xml", &result);
  return 0;
}
