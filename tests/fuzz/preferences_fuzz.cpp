// Reads preferences.dat as the program does at start, saves the settings back
// into it and reads them again: the second read must give what the first
// gave. The low-level reader is also asked for keys of every kind.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "gui/pref_file.h"
#include "gui/preferences.h"

using namespace vorlane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::EnterScratchFolder();
  fuzz::WriteBytes(kPreferencesFile, std::string_view(reinterpret_cast<const char*>(data), size));

  PrefFile file;
  if (file.Open(kPreferencesFile)) {
    file.HasKey("Misc", "ConfirmExit");
    file.ReadInt("code EDITOR", "SCI_FONT_SIZE", 7);
    file.ReadText("", "", "none");
    file.ReadText("Export", "ImgFolder", "img");
    file.WriteText("Export", "New\nKey", "a\rb");
    file.WriteInt("New group", "n", -5);
  }
  // Dropped without Close: nothing is written.

  Preferences first;
  std::string error;
  LoadPreferences(first, kPreferencesFile, &error);
  if (!error.empty()) return 0;
  if (!SavePreferences(first, kPreferencesFile, &error)) return 0;
  Preferences second;
  LoadPreferences(second, kPreferencesFile, &error);
  fuzz::Require(second == first, "the preferences, saved and read again, are as they were");
  return 0;
}
