// Where the program works. Run from a source checkout or a folder made by
// scripts/run.sh, the current directory is the program folder. Installed
// from a package, the shipped files live read-only in share/vorlane beside
// the program, and each user gets a program folder of their own, kept
// across updates.
#pragma once

#include <string>

namespace vorlane {

// $XDG_DATA_HOME/vorlane, or ~/.local/share/vorlane when XDG_DATA_HOME is
// unset or not an absolute path; "" when neither it nor HOME is known.
std::string UserProgramFolder();

// The installed program's shared files: share/vorlane beside the folder
// holding `program` (its path, e.g. /usr/bin/vorlane); "" when there is
// none.
std::string InstalledSharedFolder(const std::string& program);

// True when `folder` holds what the program needs to run (its engine
// template and keyword list).
bool IsProgramFolder(const std::string& folder);

// Makes `folder` a program folder from the installed files in `shared`.
// The first time everything is copied, example projects included. Later,
// when `shared` holds a newer version than the one `folder` was last
// prepared from, the engine template, the keyword list, the extensions and
// the manual are copied again (extensions the user added stay). Projects/
// and preferences.dat are never touched after the first time. False with
// `error` set when something could not be copied.
bool PrepareProgramFolder(const std::string& shared, const std::string& folder, std::string* error);

// The current directory, "" when it cannot be told.
std::string CurrentFolder();

// "1.2.10" is newer than "1.2.9": numbers compared one by one.
bool IsNewerVersion(const std::string& version, const std::string& than);

// The folder a program started as `program` works in: the current
// directory when it is a program folder (or, for vorlane-build, which does
// not `prepare`, holds Projects/); else, for an installed program, the
// user's program folder, prepared from the installed files first when
// `prepare` ("" with `error` set when that fails); else the current
// directory, as it always was.
std::string ChooseProgramFolder(const std::string& program, bool prepare, std::string* error);

}  // namespace vorlane
