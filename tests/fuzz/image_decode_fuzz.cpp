// Decodes a picture through the program's loader: from memory, and from a
// file with its header read first, as frames and backgrounds are loaded.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "gui/image.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const Image decoded = DecodeImage(bytes);
  if (!decoded.is_null()) Fingerprint(decoded);

  fuzz::EnterScratchFolder();
  fuzz::WriteBytes("picture", bytes);
  std::string error;
  ReadImageSize("picture", &error);
  // The header decides before any decoding; small pictures are decoded again.
  LoadPicture("picture", 64, &error);
  return 0;
}
