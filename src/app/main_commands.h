// The main window's commands and the tables its menu bar and toolbar are
// built from. Each command is dispatched by id; windows of other parts of the
// program plug in by registering a handler for their command.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

enum class Command {
  // File menu
  New,
  Open,
  Save,
  SaveAs,
  RunGame,
  ExportGame,
  Preferences,
  Exit,
  // Edit menu
  Undo,
  Redo,
  GoToResource,
  FindInProject,
  // Run menu
  DebugGame,
  ShowOutput,
  // Resources menu
  AddSprite,
  AddSound,
  AddMusic,
  AddBackground,
  AddFont,
  AddObject,
  AddScene,
  AddFunction,
  // Help menu
  Help,
  About,
  CheckVersion,
  // Not in the menu bar: the Game tab, the Functions tab, and the steps run
  // around New, Open and start-up.
  EditGlobalVariables,
  EditGlobalFunctions,
  EditGameComments,
  Extensions,
  ExportFunctions,
  ImportFunctions,
  ShowGameComments,       // after Open, when the project has comments
  CheckVersionAtStartup,  // start-up, after the first new project
};

struct MenuEntry {
  bool separator = false;
  Command command = Command::New;
  std::string menu;        // "File", "Resources", "Help"
  std::string text;        // "New\tCtrl + N"
  std::string shortcut;    // "Ctrl+N"; more than one: "Ctrl+Shift+Z; Ctrl+Y"
  std::string theme_icon;  // the desktop theme's name for a standard action
  std::string picture;     // our own picture's name
};

struct ToolbarEntry {
  Command command;
  int x;
  int width;
  std::string tooltip;
  std::string picture;
};

// The menu bar in order, separators included.
const std::vector<MenuEntry>& MenuTable();
// The menu bar's entry of `command`, which must have one.
const MenuEntry& MenuEntryOf(Command command);
// The toolbar buttons, left to right; all at y 10 and 25 high.
const std::vector<ToolbarEntry>& ToolbarTable();

}  // namespace vorlane
