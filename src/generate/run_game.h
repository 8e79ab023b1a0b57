// The parts of running the game that need no window: where the page is, the
// address given to the browser, and starting the browser on its own.
#pragma once

#include <functional>
#include <string>

namespace vorlane {

inline constexpr char kPleaseSaveMessage[] = "Please save your game.";
inline constexpr char kPageMissingMessage[] =
    "The INDEX.HTML file is missing. You can allow Vorlane to create it (enable it in the "
    "Preferences) or you can copy your file in the project folder.";

// The current directory as an absolute path ending in "/".
std::string WorkingDirectory();
// <working directory>Projects/<projectname>/index.html
std::string GamePagePath(const std::string& working_directory, const std::string& projectname);
// The page path, with "file://" in front when `add_file_protocol` is 1.
std::string GamePageAddress(const std::string& page_path, int add_file_protocol);
// The page exists and is longer than 0 bytes.
bool GamePageReady(const std::string& page_path);

// The first executable, non-empty, non-folder file called `program` in the
// non-empty entries of `path_list` (a PATH value); "" when there is none.
std::string FindInPath(const std::string& program, const std::string& path_list);

// Starts `program` with one argument; false when it could not start.
using Launcher = std::function<bool(const std::string& program, const std::string& argument)>;

// Opens `address` with x-www-browser, or, when that is not on the PATH or
// cannot start, with the desktop's opener xdg-open. False when neither could
// be started; the caller then tells the user.
bool OpenInWebBrowser(const std::string& address, const std::string& path_list,
                      const Launcher& launch);

// The "Message" box text when no browser could be started.
std::string NoBrowserMessage(const std::string& address);

}  // namespace vorlane
