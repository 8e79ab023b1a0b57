// Function library files: a chosen set of the project's user functions with
// an author and a description, shared between projects. The export and
// import dialogs only gather the user's choices and show these results.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// Texts the dialogs show.
inline constexpr char kNothingToExportMessage[] = "There nothing to export.";
inline constexpr char kOverwriteLibraryQuestion[] = "File exists. Overwrite?";

// The message refusing an export, or "" when the project has functions.
std::string ExportRefusal(const Project& project);

// The chosen file name with ".xml" at its end exactly once; "" (nothing
// chosen) stays "".
std::string LibraryFileName(const std::string& chosen);

// True when writing to `path` must first be confirmed: it holds something.
bool LibraryNeedsOverwriteQuestion(const std::string& path);

// A function's code as the library stores it: the blanks and tabs starting
// each line after a line break become four spaces, an empty line becomes
// four spaces, and nothing is added after a line break that ends the code.
std::string LibraryCode(const std::string& code);

// The text of a library holding the project's functions whose entry in
// `ticked` is true (a missing entry counts as ticked), in project order.
std::string FunctionLibraryXml(const Project& project, const std::vector<bool>& ticked,
                               const std::string& author, const std::string& description);

// Writes that text to `path` (replacing the file only once complete). False
// with `error` set when it could not be written.
bool WriteFunctionLibrary(const std::string& path, const Project& project,
                          const std::vector<bool>& ticked, const std::string& author,
                          const std::string& description, std::string* error = nullptr);

// The functions of a library file, as stored (names not yet made unique).
// False with `error` set when the text is not XML or has no function list;
// then nothing is returned.
bool ParseFunctionLibrary(const std::string& bytes, std::vector<UserFunction>* functions,
                          std::string* error);

// The name an imported function gets: "_2" is appended until no function of
// the project has it (an empty name is never kept).
std::string ImportedFunctionName(const Project& project, const std::string& name);

struct LibraryImport {
  std::vector<std::string> names;  // the names the imported functions got, in order
  std::string error;               // text for an "Error" box when nothing was imported
};

// Appends every function of the library file at `path` to the project under
// a name no other function has, and marks the project modified. A file that
// cannot be read or parsed imports nothing and returns false.
bool ImportFunctionLibrary(Project& project, const std::string& path, LibraryImport* result);
// The same for the file's bytes.
bool ImportFunctionLibraryText(Project& project, const std::string& bytes, LibraryImport* result);

}  // namespace vorlane
