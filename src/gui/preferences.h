// The user's settings: one record for the whole run, kept in preferences.dat
// in the working directory. Each field is named after its key in that file.
#pragma once

#include <string>

namespace vorlane {

inline constexpr char kPreferencesFile[] = "preferences.dat";

// The initial values are what the program uses before the file is read.
// Colours are R + 256*G + 65536*B.
struct Preferences {
  // [Code editor]
  int sci_color_fore = 0;
  int sci_color_selection_back = 4194304;
  int sci_color_selection_fore = 16777215;
  int sci_color_command = 14888246;
  int sci_color_comment = 10526880;
  int sci_color_function = 2335523;
  int sci_color_number = 4210896;
  int sci_color_resource = 12298801;
  int sci_color_string = 12976326;
  int sci_color_vr_constant = 3947580;
  int sci_color_vr_function = 2255392;
  int sci_color_vr_variable = 1265745;
  int sci_color_caret = 15790335;
  std::string sci_font_family = "Consolas";
  int sci_font_size = 11;
  // Last geometry of the code editor window; -1 when none is stored.
  int x = -1;
  int y = -1;
  int width = -1;
  int height = -1;
  int maximized = -1;
  // [Browser]
  int add_file_protocol = 0;
  // [Misc]
  int CheckProgramVersion = 1;
  int GenerateIndexHTML = 1;
  int ConfirmExit = 1;
  // [Export] The folder names a new project starts with.
  std::string ImgFolder = "img";
  std::string AudFolder = "aud";

  friend bool operator==(const Preferences&, const Preferences&) = default;
};

// Reads every setting into `prefs`; a key the file lacks gives its read
// default, which for a few keys differs from the initial value. A missing
// file is first created holding the current values. Without a usable file
// every field gets its read default, and `error` (when given) says why the
// file was not read; it is left empty otherwise.
void LoadPreferences(Preferences& prefs, const std::string& path = kPreferencesFile,
                     std::string* error = nullptr);

// Writes every setting, keeping whatever else the file holds. False, with
// `error` set, when the file could not be written.
bool SavePreferences(const Preferences& prefs, const std::string& path = kPreferencesFile,
                     std::string* error = nullptr);

}  // namespace vorlane
