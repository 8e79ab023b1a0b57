#include "generate/extensions.h"


#include <algorithm>
#include <string_view>

#include "gui/file_util.h"
#include "gui/text_lines.h"
#include "project/safe_name.h"
#include "project/project_paths.h"

namespace vorlane {
namespace {

constexpr std::string_view kCRLF = "\r\n";

std::string EnabledListPath(const std::string& projectname) {
  return PathsOf(projectname).extensions;
}


}  // namespace

void ParseExtensionText(const std::string& text, Extension& e) {
  enum Section { kNone, kName, kAuthor, kDescription, kHelp, kCode };
  Section section = kNone;
  for (const std::string_view line : SplitLines(text)) {
    // Headers open a section; description, help and code get an empty line
    // for each header, so repeated sections stay apart.
    if (line == "[EXTENSION]") {
      section = kName;
    } else if (line == "[AUTHOR]") {
      section = kAuthor;
    } else if (line == "[DESCRIPTION]") {
      section = kDescription;
      e.description += kCRLF;
    } else if (line == "[HELP]") {
      section = kHelp;
      e.help += kCRLF;
    } else if (line == "[CODE]") {
      section = kCode;
      e.code += kCRLF;
    } else {
      switch (section) {
        case kNone: break;
        case kName: e.extension += line; break;
        case kAuthor: e.author += line; break;
        case kDescription: (e.description += line) += kCRLF; break;
        case kHelp: (e.help += line) += kCRLF; break;
        case kCode: (e.code += line) += kCRLF; break;
      }
    }
  }
}

std::vector<std::string> ReadEnabledExtensions(const std::string& projectname) {
  std::vector<std::string> names;
  if (projectname.empty() || !IsPlainFileName(projectname)) return names;
  std::string text;
  const std::string path = EnabledListPath(projectname);
  if (FileSize(path) <= 0 || !ReadFile(path, &text, kMaxSettingsFileBytes)) return names;
  for (const std::string_view line : SplitLines(text)) names.emplace_back(line);
  return names;
}

std::vector<Extension> LoadExtensions(const std::string& projectname) {
  const std::vector<std::string> enabled = ReadEnabledExtensions(projectname);
  std::vector<Extension> list;
  for (const std::string& name : ListFolder("Extensions")) {
    // Entry names come from the listing itself, so they are plain names in
    // the folder; the names in extensions.dat are only ever compared.
    if (!name.ends_with(".tex")) continue;
    const std::string path = "Extensions/" + name;
    if (IsDirectory(path)) continue;
    Extension e;
    e.filename = name.substr(0, name.size() - 4);
    std::string text;
    if (ReadFile(path, &text, kMaxExtensionFileBytes, &e.problem))
      ParseExtensionText(text, e);
    else
      e.extension = e.filename;  // no lines, but a row that says why
    e.enabled = std::find(enabled.begin(), enabled.end(), e.filename) != enabled.end() ? 1 : 0;
    list.push_back(std::move(e));
  }
  return list;
}

bool SaveEnabledExtensions(const std::string& projectname,
                           const std::vector<std::string>& filenames, std::string* error) {
  if (projectname.empty() || !IsPlainFileName(projectname)) {
    if (error) *error = "The project has no usable name; save it first.";
    return false;
  }
  std::string text;
  for (const std::string& name : filenames) {
    if (name.find_first_of("\r\n") != std::string::npos) continue;
    text += name;
    text += '\n';
  }
  return WriteProgramFile(EnabledListPath(projectname), text, error);
}

std::string ExtensionInfoText(const Extension& e) {
  if (!e.problem.empty()) return "NAME:" + e.extension + "\r\r" + e.problem;
  return "NAME:" + e.extension + "\rAUTHOR: " + e.author + "\r\rDESCRIPTION: " + e.description +
         "HELP:" + e.help;
}

}  // namespace vorlane
