// Installed extensions (Extensions/*.tex) and the project's choice of them
// (Projects/<name>/extensions.dat).
#pragma once

#include <string>
#include <vector>

namespace vorlane {

struct Extension {
  std::string filename;  // the file's name less its final ".tex"
  std::string extension;
  std::string author;
  std::string description;
  std::string help;
  std::string code;
  int enabled = 0;  // 1 when the project's extensions.dat lists `filename`
};

// Parses the text of one .tex file into `extension` (filename and enabled
// are left alone).
void ParseExtensionText(const std::string& text, Extension& extension);

// Rebuilds the list from the Extensions folder, in directory-listing order,
// marking those that Projects/<projectname>/extensions.dat enables.
std::vector<Extension> LoadExtensions(const std::string& projectname);

// Writes Projects/<projectname>/extensions.dat: one filename a line, LF each.
bool SaveEnabledExtensions(const std::string& projectname,
                           const std::vector<std::string>& filenames);

}  // namespace vorlane
