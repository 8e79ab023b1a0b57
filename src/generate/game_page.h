// Turns the project into a playable game: game.js (the engine template with
// the generated code at its markers) and index.html in the project folder.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The engine template export.js, its bytes kept as they are; "" when the
// file is missing or unreadable.
std::string LoadEngineTemplate(const std::string& path = "export.js");

// The template with every marker replaced, in marker order, by the output of
// its emitter (extensions as loaded for the project).
std::string BuildGameScript(const Project& project, const std::string& engine_template);

// The fifteen lines of index.html, each ending in LF.
std::string IndexHtml();

struct GenerateReport {
  std::vector<std::string> written;  // the files written, in order
  std::string error;                 // text for an "Error" box when a write failed
  bool no_scene = false;             // the caller shows "There is no scene added."
};

// Writes Projects/<projectname>/game.js, and index.html when
// `generate_index_html` is 1 or the page is missing. Does nothing for a
// project without a name. False when a file could not be written; files
// already there are then left as they were.
bool GenerateGame(const Project& project, const std::string& engine_template,
                  int generate_index_html, GenerateReport* report = nullptr);

}  // namespace vorlane
