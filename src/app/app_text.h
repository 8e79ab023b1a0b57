// Texts of the main window that follow from the program's state.
#pragma once

#include <string>
#include <vector>

namespace vorlane {

// "1.2.9" for 129: the first three decimal digits, joined by dots.
std::string VersionDigits(int version);
// "v1.2.9".
std::string VersionText(int version);
// "Vorlane v1.2.9", plus " - " and the project's name when it has one.
std::string MainWindowTitle(int version, const std::string& projectname);
// The About window's title "Vorlane v1.2.9" and its line "version 1.2.9".
std::string AboutTitle(int version);
std::string AboutVersionLine(int version);

// The questions and notices of the project commands.
inline constexpr char kUnsavedNewQuestion[] = "Unsaved changes will be lost. New?";
inline constexpr char kUnsavedOpenQuestion[] = "Unsaved changes will be lost. Open a new project?";
inline constexpr char kExitQuestion[] = "Exit from Vorlane?";
inline constexpr char kSaveBeforeExitQuestion[] = "Save the changes to the project before leaving?";
inline constexpr char kNoSceneWarning[] = "There is no scene added.";

// Status line texts.
inline constexpr char kStatusReady[] = "STATUS: READY.";
inline constexpr char kStatusOpening[] = "OPENING PROJECT...";
// "SAVED demo: 7 files written"
std::string SavedStatus(const std::string& projectname, int files_written);

// The status line after Run game: the files the generation wrote, then the
// page handed to `program` (a path; "" when no browser could be started).
// An empty `address` means no page was there to open.
std::string RunGameStatus(const std::vector<std::string>& written, const std::string& address,
                          const std::string& program);

}  // namespace vorlane
