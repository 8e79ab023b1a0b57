#include "gui/preferences.h"

#include <optional>

#include "gui/file_util.h"
#include "gui/pref_file.h"

namespace vorlane {
namespace {

// One entry per key, in file order; loading and saving both walk this list.
struct Setting {
  const char* group;
  const char* key;
  int Preferences::*number = nullptr;
  std::optional<int> number_default;  // none: a missing key keeps the current value
  std::string Preferences::*text = nullptr;
  const char* text_default = nullptr;
};

constexpr Setting Int(const char* group, const char* key, int Preferences::*field,
                      std::optional<int> read_default) {
  return {group, key, field, read_default, nullptr, nullptr};
}

constexpr Setting Text(const char* group, const char* key, std::string Preferences::*field,
                       const char* read_default) {
  return {group, key, nullptr, std::nullopt, field, read_default};
}

constexpr char kEditor[] = "Code editor";
constexpr char kBrowser[] = "Browser";
constexpr char kMisc[] = "Misc";
constexpr char kExport[] = "Export";

// A read default is not always the initial value (sci_color_fore,
// sci_color_function), so both are spelled out.
constexpr Setting kSettings[] = {
    Int(kEditor, "sci_color_fore", &Preferences::sci_color_fore, 16777215),
    Int(kEditor, "sci_color_selection_back", &Preferences::sci_color_selection_back, std::nullopt),
    Int(kEditor, "sci_color_selection_fore", &Preferences::sci_color_selection_fore, 16777215),
    Int(kEditor, "sci_color_command", &Preferences::sci_color_command, 14888246),
    Int(kEditor, "sci_color_comment", &Preferences::sci_color_comment, 10526880),
    Int(kEditor, "sci_color_function", &Preferences::sci_color_function, 10526880),
    Int(kEditor, "sci_color_number", &Preferences::sci_color_number, 4210896),
    Int(kEditor, "sci_color_resource", &Preferences::sci_color_resource, 12298801),
    Int(kEditor, "sci_color_string", &Preferences::sci_color_string, 12976326),
    Int(kEditor, "sci_color_vr_constant", &Preferences::sci_color_vr_constant, 3947580),
    Int(kEditor, "sci_color_vr_function", &Preferences::sci_color_vr_function, 2255392),
    Int(kEditor, "sci_color_vr_variable", &Preferences::sci_color_vr_variable, 1265745),
    Int(kEditor, "sci_color_caret", &Preferences::sci_color_caret, 15790335),
    Text(kEditor, "sci_font_family", &Preferences::sci_font_family, "Consolas"),
    Int(kEditor, "sci_font_size", &Preferences::sci_font_size, 11),
    Int(kEditor, "x", &Preferences::x, -1),
    Int(kEditor, "y", &Preferences::y, -1),
    Int(kEditor, "width", &Preferences::width, -1),
    Int(kEditor, "height", &Preferences::height, -1),
    Int(kEditor, "maximized", &Preferences::maximized, -1),
    Int(kBrowser, "add_file_protocol", &Preferences::add_file_protocol, 0),
    Int(kMisc, "CheckProgramVersion", &Preferences::CheckProgramVersion, 1),
    Int(kMisc, "GenerateIndexHTML", &Preferences::GenerateIndexHTML, 1),
    Int(kMisc, "ConfirmExit", &Preferences::ConfirmExit, 1),
    Text(kExport, "ImgFolder", &Preferences::ImgFolder, "img"),
    Text(kExport, "AudFolder", &Preferences::AudFolder, "aud"),
};

}  // namespace

void LoadPreferences(Preferences& prefs, const std::string& path, std::string* error) {
  PrefFile file;
  // Only a missing file is created; something at `path` that cannot be read
  // (a folder, a FIFO, a file without read access) is left alone.
  bool opened = file.Open(path);
  if (!opened && !FileExists(path) && WriteProgramFile(path, "")) {
    SavePreferences(prefs, path);
    opened = file.Open(path);
  }
  if (error) *error = opened ? "" : file.error();
  for (const Setting& s : kSettings) {
    if (s.number) {
      prefs.*s.number = file.ReadInt(s.group, s.key, s.number_default.value_or(prefs.*s.number));
    } else {
      prefs.*s.text = file.ReadText(s.group, s.key, s.text_default);
    }
  }
  file.Close();
}

bool SavePreferences(const Preferences& prefs, const std::string& path, std::string* error) {
  PrefFile file;
  file.Open(path);
  for (const Setting& s : kSettings) {
    if (s.number) {
      file.WriteInt(s.group, s.key, prefs.*s.number);
    } else {
      file.WriteText(s.group, s.key, prefs.*s.text);
    }
  }
  const bool saved = file.Close();
  if (!saved && error) *error = file.error();
  return saved;
}

}  // namespace vorlane
