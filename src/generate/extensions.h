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
  // Why the file could not be read ("" when it was). Such an extension is
  // listed under its file name, with no code, so the user sees it was left out.
  std::string problem;
};

// Parses the text of one .tex file into `extension` (filename and enabled
// are left alone). Lines may end in LF, CR LF or CR.
void ParseExtensionText(const std::string& text, Extension& extension);

// Rebuilds the list from the Extensions folder, in directory-listing order,
// marking those that Projects/<projectname>/extensions.dat enables. An
// unnamed project enables nothing; a missing folder gives an empty list. A
// file that is not regular or is over kMaxExtensionFileBytes is not read.
std::vector<Extension> LoadExtensions(const std::string& projectname);

// The names listed in Projects/<projectname>/extensions.dat, one a line
// (empty lines included); none when the file is missing or empty.
std::vector<std::string> ReadEnabledExtensions(const std::string& projectname);

// Writes Projects/<projectname>/extensions.dat: one filename a line, LF
// each. A name holding a line break is left out, since it could never be
// read back as itself. False with `error` set when the file could not be
// written; the old file then stays as it was.
bool SaveEnabledExtensions(const std::string& projectname,
                           const std::vector<std::string>& filenames,
                           std::string* error = nullptr);

// What the Installed extensions dialog shows for one extension (CR breaks;
// the description and help bring their own); for one not read, why.
std::string ExtensionInfoText(const Extension& extension);

}  // namespace vorlane
