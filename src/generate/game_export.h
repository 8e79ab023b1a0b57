// Packs a generated game into one zip a web server or game portal can serve:
// the page, the script and the media the script loads, under the paths the
// script uses, and nothing of the project itself.
#pragma once

#include <functional>
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
  bool cancelled = false;          // the progress asked it to stop
};

// Told on the exporting thread what share of the game's bytes is read (0 to
// 1); answering false stops the export.
using ExportProgress = std::function<bool(double done)>;

// Streams the game's files from Projects/<projectname>/ into a zip written
// beside `zip_path` and renamed over it once complete, so memory stays small
// whatever the size of the media. Every file is looked at before anything is
// written, and each is read once: a missing one, one that is not a regular
// file inside the program folder, or one that changes while it is read is
// named in `report->error`. A failed or cancelled export leaves no zip and
// no temporary file behind; an older file at `zip_path` stays as it was. The
// project must have been generated already.
bool ExportGame(const Project& project, const std::string& zip_path, ExportReport* report = nullptr,
                const ExportProgress& progress = {});

// The zip's file name suggested for a project: "<projectname>.zip".
std::string ExportFileName(const std::string& projectname);
// The path a save requester chose, with ".zip" added when it has no such
// ending; "" stays "" (cancelled).
std::string ExportZipPath(const std::string& chosen);

// The requester's and the progress window's title, the requester's
// patterns, the progress window's text, and the status line after an export.
inline constexpr char kExportTitle[] = "Export game";
inline constexpr char kExportFilter[] = "Zip archives (*.zip)|*.zip|All files (*.*)|*.*";
std::string ExportingText(const std::string& zip_path);
std::string ExportedStatus(const std::string& zip_path, size_t file_count);
inline constexpr char kExportCancelledStatus[] = "EXPORT CANCELLED.";

}  // namespace vorlane
