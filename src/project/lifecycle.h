// The GUI-free steps of the New and Open commands and of leaving the
// program: the working folder of the run, the preferences, the read. The
// questions and dialogs around them belong to the main window.
#pragma once

#include <ctime>
#include <string>

#include "gui/preferences.h"
#include "project/model.h"
#include "project/project_file.h"

namespace vorlane {

// "_temp_" + hours, minutes and seconds of `now`, two digits each.
std::string WorkingFolderName(const std::tm& now);

// A working folder name for this moment that no existing entry uses, so two
// fresh projects in one second (or two runs of the program) never share one.
std::string NewWorkingFolderName(const std::string& current);

// A fresh, empty project (the New command once confirmed): the old working
// folder is deleted, the project reset, the preferences read (their folder
// names become the project's), the Extensions and Projects folders made, and
// a new, empty working folder made, marked as this process's (leftovers.h).
void StartNewProject(Project& project, Preferences& prefs);

// Opens Projects/<name>.xml (the Open command once a name is chosen). A
// project saved by a newer program is refused with the version message.
// The project is read into a fresh working folder first; only when the read
// succeeds does it replace `project` (and the old working folder go).
// Otherwise `project` is untouched and `report->error` says why.
bool OpenProjectNamed(Project& project, Preferences& prefs, const std::string& name,
                      FileReport* report);

// Leaving the program: the working folder goes and the preferences (with the
// project's folder names) are saved. False when they could not be saved.
bool FinishSession(const Project& project, Preferences& prefs);

}  // namespace vorlane
