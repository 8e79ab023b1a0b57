// vorlane-make-reference: writes the manual's engine reference page from a
// keyword file. Run by the build whenever runtime/keywords.dat changes.
// Usage: vorlane-make-reference KEYWORDS_FILE PAGE
#include <cstdio>
#include <string>

#include "code/keyword_list.h"
#include "code/manual_reference.h"
#include "gui/file_util.h"

int main(int argc, char** argv) {
  using namespace vorlane;
  if (argc != 3) {
    std::fprintf(stderr, "Usage: vorlane-make-reference KEYWORDS_FILE PAGE\n");
    return 2;
  }
  KeywordList keywords;
  std::string error;
  // An empty reference would pass unnoticed: a keyword file that cannot be
  // read, or holds nothing, fails the build.
  if (!LoadKeywordFile(keywords, argv[1], &error) || keywords.empty()) {
    std::fprintf(stderr, "vorlane-make-reference: no keywords read from %s%s%s\n", argv[1],
                 error.empty() ? "" : ": ", error.c_str());
    return 1;
  }
  if (!WriteFileAtomic(argv[2], ReferencePage(keywords), &error)) {
    std::fprintf(stderr, "vorlane-make-reference: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
