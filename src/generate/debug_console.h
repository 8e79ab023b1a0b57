// vorlane-build --debug: a debug run driven from a terminal or a test. The
// page's reports are printed one a line, commands are read from stdin.
#pragma once

#include <string>

#include "generate/debug_report.h"
#include "generate/debug_server.h"

namespace vorlane {

// "Error\tobj_wall, Step event, line 3: text", or "Log\ttext" without a
// place; " (N times)" follows a count above one. One line: line breaks in
// the text become spaces.
std::string DebugConsoleLine(const DebugEntry& entry);

// Serves `project_folder` with `debug_script`, prints "ADDRESS <url>", then
// a line per report, "PAUSED" or "RUNNING" when the page says so, and the
// instances ("INSTANCE obj x y depth name=value ...", then "INSTANCES END")
// when watched. Reads the commands pause, step, resume, reload and
// instances (which turns watching on and off) from stdin, one a line, until
// stdin closes. Needs a QCoreApplication. 0, or 1 with a message on stderr
// when the server cannot start.
int RunDebugConsole(const std::string& project_folder, const std::string& debug_script);

}  // namespace vorlane
