// Reads keywords.dat as the program does at start and looks names up in the
// list, as the code editor's help line does.
#include <cstddef>
#include <cstdint>
#include <string>

#include "code/keyword_list.h"
#include "fuzz/fuzz_input.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::EnterScratchFolder();
  fuzz::WriteBytes(kKeywordFile, std::string_view(reinterpret_cast<const char*>(data), size));

  KeywordList list;
  std::string error;
  LoadKeywordFile(list, kKeywordFile, &error);
  for (const KeywordRecord& record : list) FindKeywordWithHelp(list, record.name);
  FindKeywordWithHelp(list, "");
  LoadKeywordList(kKeywordFile);
  return 0;
}
