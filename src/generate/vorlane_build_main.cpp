// vorlane-build: builds a project's game from scripts and CI, doing exactly
// what the program does in the same program folder when the project is
// opened and saved.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "generate/debug_console.h"
#include "generate/emitters.h"
#include "generate/game_export.h"
#include "generate/game_page.h"
#include "generate/name_check.h"
#include "generate/script_check.h"
#include "gui/file_util.h"
#include "gui/preferences.h"
#include "gui/program_folder.h"
#include "project/leftovers.h"
#include "project/lifecycle.h"
#include "project/project_file.h"
#include "project/project_paths.h"
#include "project/reserved_names.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

constexpr char kUsage[] =
    "Usage: vorlane-build [--resave] [--check] [--export FILE.zip] NAME\n"
    "       vorlane-build --debug NAME\n"
    "       vorlane-build --help\n"
    "\n"
    "Builds the game of the Vorlane project NAME without opening the program.\n"
    "Run it in the program folder: the folder holding export.js, Extensions/,\n"
    "Projects/ and preferences.dat. Installed from a package, it uses the\n"
    "program folder Vorlane prepared (~/.local/share/vorlane) unless the\n"
    "current folder holds Projects/.\n"
    "\n"
    "  NAME        opens Projects/NAME.xml as the program's Open command does,\n"
    "              then writes Projects/NAME/game.js, and Projects/NAME/index.html\n"
    "              when the preference GenerateIndexHTML is 1 or the page is\n"
    "              missing, as saving does; prints each file it wrote.\n"
    "  --resave    first writes the project back as the Save command does\n"
    "              (this converts a project saved by an older version).\n"
    "  --check     also warns, one line each, of names the scripts use that\n"
    "              name no resource, function, global or local variable, engine\n"
    "              name or name of JavaScript or the browser (a typo, or code\n"
    "              left behind by a rename); names an instance may have (assigned\n"
    "              bare, or read as a member anywhere) count as known. The build\n"
    "              goes on as without --check.\n"
    "  --export FILE.zip\n"
    "              then also writes FILE.zip holding what the game needs to run\n"
    "              from any web server: index.html, game.js and the pictures and\n"
    "              sounds game.js loads, under the same paths, and nothing else.\n"
    "              FILE.zip is replaced only by a complete zip, and none is\n"
    "              written when a file the game needs is missing, leads\n"
    "              outside the program folder or changes while it is read.\n"
    "  --debug     builds the game as Run game does, with game.map.json beside\n"
    "              game.js, then serves Projects/NAME/ on 127.0.0.1 for a debug\n"
    "              run (the page gets debug.js from this folder) and prints\n"
    "              \"ADDRESS <url>\": open it in a browser. Then prints a line per\n"
    "              report of the page, \"<kind>\\t<where>, line N: <text>\" or\n"
    "              \"<kind>\\t<text>\", and reads commands from stdin, one a line:\n"
    "              pause, step, resume, reload, instances (watch them or stop).\n"
    "              Ends when stdin closes.\n"
    "  --help      shows this text.\n"
    "\n"
    "Before anything is written it checks that it can write the folders it\n"
    "writes: the program folder, Projects/NAME/ and, with --resave, Projects/\n"
    "and the project's picture and sound folders. Then, like the program at\n"
    "start, it removes what runs that were killed left behind (temporary save\n"
    "files, empty working folders), reads preferences.dat (creating it when\n"
    "missing), works in a working folder _temp_HHMMSS that it removes again,\n"
    "and saves preferences.dat on leaving.\n"
    "\n"
    "Exit status:\n"
    "  0  the game was written (a project without scenes only gives a warning).\n"
    "  1  the build failed: the project is missing, damaged or needs a newer\n"
    "     version, names in it cannot be used in JavaScript (or are already\n"
    "     used by the engine, the browser or another resource), export.js is\n"
    "     missing, or a folder or file it writes cannot be written. stderr has\n"
    "     one line for each problem. All of these are found before the project\n"
    "     is written: Projects/NAME.xml and the files in Projects/NAME/ are as\n"
    "     they were (only temporary files of killed runs may be gone). The one\n"
    "     exception is a write that fails after the checks (a full disk, a file\n"
    "     another user owns): then the files printed on stdout were written,\n"
    "     with --resave pictures and sounds in Projects/NAME/ may have been\n"
    "     too, and every other file is as it was. With --export, a file the\n"
    "     game needs that is missing, leads outside the program folder or\n"
    "     changes while it is read is found after the game is written; no\n"
    "     zip is written then.\n"
    "  2  wrong arguments; nothing was read or written.\n";

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

int Fail(const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) Fail(problem);
  return 1;
}

// What would stop the build half-way, found before anything is written.
class WriteChecks {
 public:
  // Files will be written into `folder`; one still missing is made in its
  // parent, which is then what must be writable.
  void Folder(std::string folder, const std::string& purpose) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    while (!FileExists(folder)) {
      const size_t slash = folder.rfind('/');
      folder = slash == std::string::npos ? "." : folder.substr(0, slash);
    }
    if (!checked_.insert(folder).second) return;
    const std::string shown = folder == "." ? "The program folder \"" + CurrentFolder() + "\""
                                            : "The folder \"" + folder + "/\"";
    if (!IsDirectory(folder)) {
      problems_.push_back("\"" + folder + "\" is not a folder; " + purpose + ".");
    } else if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
      problems_.push_back(shown + " cannot be written (" + std::strerror(errno) + "); " + purpose +
                          ".");
    }
  }

  // `path` will be replaced by a file.
  void File(const std::string& path) {
    if (FileExists(path) && IsDirectory(path))
      problems_.push_back("\"" + path + "\" is a folder; the build writes a file there.");
  }

  const std::vector<std::string>& problems() const { return problems_; }

 private:
  static std::string CurrentFolder() {
    char path[4096];
    return ::getcwd(path, sizeof path) ? path : ".";
  }

  std::set<std::string> checked_;
  std::vector<std::string> problems_;
};

// The folders a resave writes the pictures and sounds into, as the read will
// set them: an older project moves its media into the preferences' folders.
std::pair<std::string, std::string> MediaFolders(const std::string& xml, const Preferences& prefs) {
  std::pair<std::string, std::string> folders{prefs.ImgFolder, prefs.AudFolder};
  std::string bytes;
  Project scratch;
  ProjectHeader header;
  std::string error;
  if (!ReadFile(xml, &bytes) || !ParseProjectXml(bytes, scratch, &header, &error) ||
      header.version < 129)
    return folders;
  if (IsUsableFolderName(header.imgfolder)) folders.first = header.imgfolder;
  if (IsUsableFolderName(header.audfolder)) folders.second = header.audfolder;
  return folders;
}

void CheckMediaFolders(WriteChecks& checks, const std::string& name, const std::string& imgfolder,
                       const std::string& audfolder) {
  const ProjectPaths paths = PathsOf(name, imgfolder, audfolder);
  checks.Folder(paths.images, "the project's pictures are written into " + paths.images);
  checks.Folder(paths.audio, "the project's sounds are written into " + paths.audio);
}

// The folder a file is written into, "." for a bare file name.
std::string ParentFolder(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A game with a script that does not parse would stop in the browser with
// a black page: each one is named and nothing is written.
bool ScriptsParse(const Project& project) {
  const auto problems = CheckGameScripts(project, LoadExtensions(project.projectname));
  for (const ScriptProblem& problem : problems) Fail(ProblemLine(problem));
  return problems.empty();
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
        std::pair{&report.over_budget, "all pictures together are too large"},
        std::pair{&report.undecodable, "it is not a picture the program can read"}})
    for (const std::string& entry : *list)
      std::fprintf(stderr, "vorlane-build: warning: \"%s\" was not loaded: %s; its file is kept.\n",
                   OneLine(entry).c_str(), why);
  for (const std::string& sentence : report.unreadable)
    std::fprintf(stderr, "vorlane-build: warning: %s\n", OneLine(sentence).c_str());
}

// The run of one build inside an opened session; the working folder is
// removed and the preferences saved whatever happens, as on leaving the
// program. Everything that can be checked is, before the first write.
int Build(const std::string& name, bool resave, bool check, const std::string& zip_path,
          const std::string& engine_template, bool with_map) {
  const ProjectPaths paths = PathsOf(name);
  // The preferences as the session will read them, without creating them.
  Preferences stored;
  if (IsRegularFile(kPreferencesFile)) LoadPreferences(stored);
  WriteChecks checks;
  checks.Folder(".", "the working folder and preferences.dat are written there");
  checks.Folder(paths.folder, "game.js and index.html are written into " + paths.folder);
  checks.File(paths.folder + "game.js");
  if (stored.GenerateIndexHTML == 1) checks.File(paths.page);
  if (!zip_path.empty()) {
    // The zip goes where it is asked to; a folder is not made for it.
    if (!IsDirectory(ParentFolder(zip_path)))
      return Fail("The folder \"" + ParentFolder(zip_path) + "\" does not exist; the zip " +
                  zip_path + " is written there.");
    checks.Folder(ParentFolder(zip_path), "the zip " + zip_path + " is written there");
    checks.File(zip_path);
  }
  if (resave) {
    checks.Folder(kProjectsFolder, "the project file " + paths.xml + " is written there");
    const auto [imgfolder, audfolder] = MediaFolders(paths.xml, stored);
    CheckMediaFolders(checks, name, imgfolder, audfolder);
  }
  if (!checks.problems().empty()) return Fail(checks.problems());

  RemoveLeftovers();
  Project project;
  Preferences prefs;
  StartNewProject(project, prefs);
  FileReport report;
  std::set<std::string> skipped;  // the read and the write skip the same names
  int status = 0;
  if (!OpenProjectNamed(project, prefs, name, &report)) {
    status = Fail(report.error);
  } else if (!IsDirectory(project.tempfolder)) {
    // Checked writable, yet it could not be made: a full disk, say.
    status = Fail("The working folder \"" + project.tempfolder +
                  "\" could not be made in the program folder.");
  } else if (!ScriptsParse(project)) {
    status = 1;
  } else {
    if (check)
      for (const UnknownName& unknown : UnknownNames(project, LoadExtensions(project.projectname)))
        std::fprintf(stderr, "vorlane-build: warning: %s.\n", OneLine(UnknownNameText(unknown)).c_str());
    skipped.insert(report.skipped.begin(), report.skipped.end());
    const FileReport opened = report;
    GenerateReport generated;
    if (resave) {
      // The read decides the media folders; they were checked unless it
      // chose others.
      CheckMediaFolders(checks, name, project.imgfolder, project.audfolder);
      if (!checks.problems().empty()) {
        status = Fail(checks.problems());
      } else if (!UnusableNames(project).empty()) {
        // Refused before the project file is written; nothing is written.
        GenerateGame(project, engine_template, prefs.GenerateIndexHTML, &generated);
        status = Fail(generated.error);
      } else {
        std::string before;
        ReadFile(paths.xml, &before);
        if (WriteProject(project, &report)) {
          skipped.insert(report.skipped.begin(), report.skipped.end());
          for (const std::string& line : report.renumbered)
            std::fprintf(stderr, "vorlane-build: warning: %s, as its number was taken.\n", line.c_str());
          std::printf("%s\n", paths.xml.c_str());
        } else {
          // A failed media write still lets the project file be saved.
          std::string after;
          if (ReadFile(paths.xml, &after) && after != before)
            std::printf("%s\n", paths.xml.c_str());
          status = Fail(report.error);
        }
      }
    }
    if (status == 0) {
      const bool ok =
          GenerateGame(project, engine_template, prefs.GenerateIndexHTML, &generated, with_map);
      for (const std::string& file : generated.written) std::printf("%s\n", file.c_str());
      if (!ok) status = Fail(generated.error);
    }
    if (status == 0 && !zip_path.empty()) {
      ExportReport exported;
      if (ExportGame(project, zip_path, &exported))
        std::printf("%s\n", zip_path.c_str());
      else
        status = Fail(exported.error);
    }
    if (status == 0) {
      WarnSkipped(skipped);
      WarnNotLoaded(opened);
      if (generated.no_scene)
        std::fprintf(stderr, "vorlane-build: warning: There is no scene added.\n");
    }
  }
  if (!FinishSession(project, prefs)) status = Fail("preferences.dat could not be written.");
  return status;
}

int Main(int argc, char** argv) {
  bool resave = false;
  bool check = false;
  bool debug = false;
  std::string zip_path;
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
    } else if (!options_done && arg == "--check") {
      check = true;
    } else if (!options_done && arg == "--debug") {
      debug = true;
    } else if (!options_done && arg == "--export") {
      if (i + 1 >= argc || std::string(argv[i + 1]).empty())
        return Usage("--export needs the zip file to write");
      zip_path = argv[++i];
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
  if (debug && (resave || !zip_path.empty()))
    return Usage("--debug cannot be given with --resave or --export");

  // An installed vorlane-build works in the user's program folder, as the
  // program does; a zip named from here still goes here.
  std::string folder_error;
  const std::string folder = ChooseProgramFolder("/proc/self/exe", false, &folder_error);
  if (folder.empty()) return Fail(folder_error);
  if (folder != CurrentFolder()) {
    if (!zip_path.empty() && zip_path[0] != '/') zip_path = CurrentFolder() + "/" + zip_path;
    if (::chdir(folder.c_str()) != 0)
      return Fail("Cannot work in the program folder \"" + folder + "\": " + std::strerror(errno) +
                  ".");
  }

  // Checked before anything is touched, so a mistyped name changes nothing.
  if (!IsPlainFileName(name)) return Fail("\"" + name + "\" is not a project name.");
  const std::string xml = PathsOf(name).xml;
  if (!IsRegularFile(xml))
    return Fail("There is no project \"" + name + "\" here (" + xml + " not found).");
  // The program would silently write an empty game without a template.
  std::string engine_template;
  if (!ReadFile("export.js", &engine_template))
    return Fail("The engine template export.js is missing from this folder.");
  LoadEngineNames(engine_template);
  std::string debug_script;
  if (debug && !ReadFile(kDebugScriptFile, &debug_script, kMaxEngineTemplateBytes))
    return Fail("The debug script debug.js is missing from this folder.");
  const int status = Build(name, resave, check, zip_path, engine_template, debug);
  if (status != 0 || !debug) return status;
  int argc_qt = 1;
  QCoreApplication app(argc_qt, argv);
  return RunDebugConsole(PathsOf(name).folder, debug_script);
}

}  // namespace
}  // namespace vorlane

int main(int argc, char** argv) {
  // The script check's parser needs an application object.
  QCoreApplication app(argc, argv);
  return vorlane::Main(argc, argv);
}
