#include "app/main_commands.h"

namespace vorlane {
namespace {

MenuEntry Item(Command command, const char* menu, const char* label, const char* shortcut_text,
               const char* shortcut, const char* theme_icon, const char* picture) {
  std::string text = label;
  if (*shortcut_text) text += std::string("\t") + shortcut_text;
  return MenuEntry{false, command, menu, text, shortcut, theme_icon, picture};
}

MenuEntry Separator(const char* menu) {
  MenuEntry entry;
  entry.separator = true;
  entry.menu = menu;
  return entry;
}

std::vector<MenuEntry> MakeMenuTable() {
  using C = Command;
  return {
      Item(C::New, "File", "New", "Ctrl + N", "Ctrl+N", "document-new", "new"),
      Separator("File"),
      Item(C::Open, "File", "Open...", "Ctrl + O", "Ctrl+O", "document-open", "open"),
      Item(C::Save, "File", "Save", "Ctrl + S", "Ctrl+S", "document-save", "save"),
      Item(C::SaveAs, "File", "Save as...", "", "", "document-save-as", "save_as"),
      Separator("File"),
      Item(C::RunGame, "File", "Run game", "F5", "F5", "media-playback-start", "run"),
      Item(C::ExportGame, "File", "Export game...", "", "", "", "export"),
      Separator("File"),
      Item(C::Preferences, "File", "Preferences...", "", "", "preferences-system", "preferences"),
      Separator("File"),
      Item(C::Exit, "File", "Exit", "Ctrl + X", "Ctrl+X", "application-exit", "exit"),
      Item(C::Undo, "Edit", "Undo", "Ctrl + Z", "Ctrl+Z", "edit-undo", ""),
      Item(C::Redo, "Edit", "Redo", "Ctrl + Shift + Z", "Ctrl+Shift+Z; Ctrl+Y", "edit-redo", ""),
      Separator("Edit"),
      Item(C::GoToResource, "Edit", "Go to resource...", "Ctrl + P", "Ctrl+P", "go-jump", ""),
      Item(C::FindInProject, "Edit", "Find in project...", "Ctrl + Shift + F", "Ctrl+Shift+F",
           "edit-find", ""),
      Item(C::DebugGame, "Run", "Debug game", "Shift + F5", "Shift+F5", "", "debug"),
      Item(C::ShowOutput, "Run", "Output", "", "", "", ""),
      Item(C::AddSprite, "Resources", "Add new sprite", "Ctrl + 1", "Ctrl+1", "", "add_sprite"),
      Item(C::AddSound, "Resources", "Add new sound", "Ctrl + 2", "Ctrl+2", "", "add_sound"),
      Item(C::AddMusic, "Resources", "Add new music", "Ctrl + 3", "Ctrl+3", "", "add_music"),
      Item(C::AddBackground, "Resources", "Add new background", "Ctrl + 4", "Ctrl+4", "",
           "add_background"),
      Item(C::AddFont, "Resources", "Add new font", "Ctrl + 5", "Ctrl+5", "", "add_font"),
      Item(C::AddObject, "Resources", "Add new object", "Ctrl + 6", "Ctrl+6", "", "add_object"),
      Item(C::AddScene, "Resources", "Add new scene", "Ctrl + 7", "Ctrl+7", "", "add_scene"),
      Item(C::AddFunction, "Resources", "Add new function", "Ctrl + 8", "Ctrl+8", "",
           "add_function"),
      Item(C::Help, "Help", "Help", "F1", "F1", "help-contents", "help"),
      Item(C::About, "Help", "About", "", "", "help-about", "about"),
      Separator("Help"),
      Item(C::CheckVersion, "Help", "Check program version...", "", "", "system-software-update",
           "check_version"),
  };
}

}  // namespace

const std::vector<MenuEntry>& MenuTable() {
  static const std::vector<MenuEntry> table = MakeMenuTable();
  return table;
}

const MenuEntry& MenuEntryOf(Command command) {
  for (const MenuEntry& entry : MenuTable())
    if (!entry.separator && entry.command == command) return entry;
  return MenuTable().front();
}

const std::vector<ToolbarEntry>& ToolbarTable() {
  using C = Command;
  static const std::vector<ToolbarEntry> table = {
      {C::New, 10, 25, "New game", ""},
      {C::Open, 40, 25, "Open game", ""},
      {C::Save, 70, 25, "Save game", ""},
      {C::RunGame, 100, 50, "Run game", "run_wide"},
      {C::DebugGame, 160, 25, "Debug game: errors and messages in the Output panel", ""},
      {C::AddSprite, 200, 25, "Add a new sprite", ""},
      {C::AddSound, 230, 25, "Add a new sound", ""},
      {C::AddMusic, 260, 25, "Add a new music", ""},
      {C::AddBackground, 290, 25, "Add a new background", ""},
      {C::AddFont, 320, 25, "Add a new font", ""},
      {C::AddObject, 350, 25, "Add a new object", ""},
      {C::AddScene, 380, 25, "Add a new scene", ""},
      {C::AddFunction, 410, 25, "Add a new function", ""},
  };
  return table;
}

}  // namespace vorlane
