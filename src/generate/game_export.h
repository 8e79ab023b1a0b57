// Packs a generated game into one zip a web server or game portal can serve:
// the page, the script and the media the script loads, under the paths the
// script uses, and nothing of the project itself.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The files of the game, relative to the project folder, in the order they
// go into the zip: index.html, game.js, then every frame, background, sound
// and music file the generated script names, each once.
std::vector<std::string> GameFiles(const Project& project);

struct ExportReport {
  std::vector<std::string> files;  // the entries written, in order
  std::string error;               // a sentence for the user when it failed
};

// Reads the game's files from Projects/<projectname>/ and writes the zip to
// `zip_path` at once (a temporary file renamed over it). Every file is read
// before anything is written: a missing or unreadable one is named in
// `report->error` and no zip is left behind; an older file at `zip_path`
// stays as it was. The project must have been generated already.
bool ExportGame(const Project& project, const std::string& zip_path,
                ExportReport* report = nullptr);

// The zip's file name suggested for a project: "<projectname>.zip".
std::string ExportFileName(const std::string& projectname);
// The path a save requester chose, with ".zip" added when it has no such
// ending; "" stays "" (cancelled).
std::string ExportZipPath(const std::string& chosen);

// The requester's title and patterns, and the status line after an export.
inline constexpr char kExportTitle[] = "Export game";
inline constexpr char kExportFilter[] = "Zip archives (*.zip)|*.zip|All files (*.*)|*.*";
std::string ExportedStatus(const std::string& zip_path, size_t file_count);

}  // namespace vorlane
