// Turns the project into a playable game: game.js (the engine template with
// the generated code at its markers) and index.html in the project folder.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "generate/extensions.h"
#include "generate/game_map.h"
#include "project/model.h"

namespace vorlane {

// The product's web site, linked from every generated page.
inline constexpr char kWebSiteAddress[] = "https://vorlane.example/";

// The markers of the engine template, in the order they are replaced.
inline constexpr std::array<std::string_view, 11> kTemplateMarkers = {
    "//VORLANE_VERSION",          "//VORLANE_EXTENSIONS", "//VORLANE_GLOBAL_VARIABLES",
    "//VORLANE_GLOBAL_FUNCTIONS", "//VORLANE_SPRITES",    "//VORLANE_SOUNDS",
    "//VORLANE_MUSICS",           "//VORLANE_BACKGROUNDS", "//VORLANE_FONTS",
    "//VORLANE_OBJECTS",          "//VORLANE_SCENES"};

// The engine template export.js, its bytes kept as they are; "" when the
// file is missing, unreadable, not a regular file or over
// kMaxEngineTemplateBytes, and `error` (when given) then says why.
std::string LoadEngineTemplate(const std::string& path = "export.js", std::string* error = nullptr);

// The template with every marker it holds replaced by the output of that
// marker's emitter. Code inserted for one marker is not searched for others:
// a marker's text in user code stays as the user wrote it.
// With `map`, also where each user script landed in the text.
std::string BuildGameScript(const Project& project, const std::string& engine_template,
                            const std::vector<Extension>& extensions, GameMap* map = nullptr);
// The same with the extensions as LoadExtensions finds them for the project.
std::string BuildGameScript(const Project& project, const std::string& engine_template);

// The fifteen lines of index.html, each ending in LF.
std::string IndexHtml();

struct GenerateReport {
  std::vector<std::string> written;  // the files written, in order
  std::string error;                 // text for an "Error" box when a write failed
  bool no_scene = false;             // the caller shows "There is no scene added."
};

// Rebuilds the extension list, then writes Projects/<projectname>/index.html
// when `generate_index_html` is 1 or the page is missing, and game.js. Does
// nothing for a project without a name. False, with `report->error` saying
// why, when a file could not be written (it and every later one are left as
// they were; so is every file when the project folder leads outside the
// program folder) or when a name the game would use as a variable cannot be one
// (UnusableNames, each listed; nothing is written). `no_scene` is set for
// every named project without scenes, whatever the outcome.
// With `write_map`, game.map.json (GameMapText) is written after game.js,
// for a debug run.
bool GenerateGame(const Project& project, const std::string& engine_template,
                  int generate_index_html, GenerateReport* report = nullptr,
                  bool write_map = false);

}  // namespace vorlane
