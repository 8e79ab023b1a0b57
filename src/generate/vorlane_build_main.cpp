// vorlane-build: builds a project's game from scripts and CI, doing exactly
// what the program does in the same program folder when the project is
// opened and saved.
#include <cstdio>
#include <set>
#include <string>

#include "gui/preferences.h"
#include "generate/game_page.h"
#include "gui/file_util.h"
#include "project/leftovers.h"
#include "project/lifecycle.h"
#include "project/project_file.h"
#include "project/safe_name.h"
#include "project/project_paths.h"

namespace vorlane {
namespace {

constexpr char kUsage[] =
    "Usage: vorlane-build [--resave] NAME\n"
    "       vorlane-build --help\n"
    "\n"
    "Builds the game of the Vorlane project NAME without opening the program.\n"
    "Run it in the program folder: the folder holding export.js, Extensions/,\n"
    "Projects/ and preferences.dat.\n"
    "\n"
    "  NAME        opens Projects/NAME.xml as the program's Open command does,\n"
    "              then writes Projects/NAME/game.js, and Projects/NAME/index.html\n"
    "              when the preference GenerateIndexHTML is 1 or the page is\n"
    "              missing, as saving does; prints each file it wrote.\n"
    "  --resave    first writes the project back as the Save command does\n"
    "              (this converts a project saved by an older version).\n"
    "  --help      shows this text.\n"
    "\n"
    "Like the program, it removes what runs that were killed left behind\n"
    "(temporary save files, empty working folders), reads preferences.dat\n"
    "(creating it when missing) and uses a working folder _temp_HHMMSS that it\n"
    "removes again.\n"
    "\n"
    "Exit status: 0 when the game was written (a project without scenes only\n"
    "gives a warning); 1 when the project is missing, damaged or needs a newer\n"
    "version, names in it cannot be used in JavaScript, export.js is missing,\n"
    "or a file could not be written, in which case one line on stderr says\n"
    "why and the files are left as they were;\n"
    "2 for wrong arguments.\n";

// Messages may quote names from the command line or a file; they stay on
// one line so scripts can read them.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "vorlane-build: %s\n", OneLine(message).c_str());
  return 1;
}

int Usage(const std::string& message) {
  std::fprintf(stderr, "vorlane-build: %s (see vorlane-build --help)\n", OneLine(message).c_str());
  return 2;
}

void WarnSkipped(const std::set<std::string>& skipped) {
  for (const std::string& entry : skipped)
    std::fprintf(stderr, "vorlane-build: warning: \"%s\" was skipped: it is not a plain file name.\n",
                 OneLine(entry).c_str());
}

// Pictures past the size limits are left out of the game; their files stay.
void WarnNotLoaded(const FileReport& report) {
  for (const auto& [list, why] :
       {std::pair{&report.too_large, "it is too large to load"},
        std::pair{&report.over_budget, "all pictures together are too large"}})
    for (const std::string& entry : *list)
      std::fprintf(stderr, "vorlane-build: warning: \"%s\" was not loaded: %s; its file is kept.\n",
                   OneLine(entry).c_str(), why);
}

// The run of one build inside an opened session; the working folder is
// removed and the preferences saved whatever happens, as on leaving the
// program.
int Build(const std::string& name, bool resave, const std::string& engine_template) {
  RemoveLeftovers();
  Project project;
  Preferences prefs;
  StartNewProject(project, prefs);
  FileReport report;
  std::set<std::string> skipped;  // the read and the write skip the same names
  int status = 0;
  if (!OpenProjectNamed(project, prefs, name, &report)) {
    status = Fail(report.error);
  } else {
    skipped.insert(report.skipped.begin(), report.skipped.end());
    const FileReport opened = report;
    if (resave) {
      if (!WriteProject(project, &report)) {
        status = Fail(report.error);
      } else {
        skipped.insert(report.skipped.begin(), report.skipped.end());
        std::printf("Projects/%s.xml\n", name.c_str());
      }
    }
    GenerateReport generated;
    if (status == 0 && !GenerateGame(project, engine_template, prefs.GenerateIndexHTML, &generated))
      status = Fail(generated.error);
    if (status == 0) {
      WarnSkipped(skipped);
      WarnNotLoaded(opened);
      for (const std::string& file : generated.written) std::printf("%s\n", file.c_str());
      if (generated.no_scene)
        std::fprintf(stderr, "vorlane-build: warning: There is no scene added.\n");
    }
  }
  FinishSession(project, prefs);
  return status;
}

int Main(int argc, char** argv) {
  bool resave = false;
  bool options_done = false;  // after "--" a name may start with "-"
  std::string name;
  bool have_name = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!options_done && (arg == "--help" || arg == "-h")) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (!options_done && arg == "--resave") {
      resave = true;
    } else if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      return Usage("unknown option \"" + arg + "\"");
    } else if (have_name) {
      return Usage("only one project name may be given");
    } else {
      name = arg;
      have_name = true;
    }
  }
  if (!have_name) return Usage("no project name given");

  // Checked before anything is touched, so a mistyped name changes nothing.
  if (!IsPlainFileName(name)) return Fail("\"" + name + "\" is not a project name.");
  const std::string xml = PathsOf(name).xml;
  if (!IsRegularFile(xml))
    return Fail("There is no project \"" + name + "\" here (" + xml + " not found).");
  // The program would silently write an empty game without a template.
  std::string engine_template;
  if (!ReadFile("export.js", &engine_template))
    return Fail("The engine template export.js is missing from this folder.");
  return Build(name, resave, engine_template);
}

}  // namespace
}  // namespace vorlane

int main(int argc, char** argv) { return vorlane::Main(argc, argv); }
