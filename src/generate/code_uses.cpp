#include "generate/code_uses.h"

#include <algorithm>

#include "generate/script_names.h"
#include "project/js_tokens.h"

namespace vorlane {
namespace {

// A text's uses of `name`, or none at all when the text declares it itself.
bool AddUses(const ProjectScript& script, const std::string& text, bool params,
             std::string_view name, std::vector<CodeUse>& uses) {
  const size_t first = uses.size();
  for (const ScriptName& found : ScriptNames(text, params)) {
    if (std::string_view(text).substr(found.begin, found.end - found.begin) != name) continue;
    if (found.role == NameRole::Declaration) {
      uses.resize(first);
      return false;
    }
    if (found.role != NameRole::Use && found.role != NameRole::Shorthand) continue;
    CodeUse& use = uses.emplace_back();
    use.place = script.place;
    use.in_params = params;
    use.line = found.line;
    use.offset = found.begin;
    use.shorthand = found.role == NameRole::Shorthand;
  }
  // Lines: the start of each use's line, found from the one before.
  size_t line_start = 0;
  for (size_t u = first; u < uses.size(); ++u) {
    for (size_t k = uses[u].offset; k > line_start; --k) {
      if (JsLineBreakAt(text, k - 1) || (k >= 3 && JsLineBreakAt(text, k - 3) == 3)) {
        line_start = k;
        break;
      }
    }
    size_t line_end = uses[u].offset;
    while (line_end < text.size() && !JsLineBreakAt(text, line_end)) ++line_end;
    uses[u].column = static_cast<int>(uses[u].offset - line_start);
    uses[u].line_text = text.substr(line_start, line_end - line_start);
  }
  return true;
}

// One script's uses of `name` (its parameter list's first), appended.
void ScriptUses(const ProjectScript& script, std::string_view name, std::vector<CodeUse>& uses) {
  const bool in_params = script.params && script.params->find(name) != std::string::npos;
  if (!in_params && script.code->find(name) == std::string::npos) return;
  const size_t first = uses.size();
  if (script.params && !AddUses(script, *script.params, true, name, uses)) return;
  if (!AddUses(script, *script.code, false, name, uses)) uses.resize(first);
}

}  // namespace

std::vector<CodeUse> FindCodeUses(const Project& project, std::string_view name) {
  std::vector<CodeUse> uses;
  if (name.empty()) return uses;
  // ProjectScripts hands out pointers it may write through; nothing here does.
  for (const ProjectScript& script : ProjectScripts(const_cast<Project&>(project)))
    ScriptUses(script, name, uses);
  return uses;
}

int RenameInCode(Project& project, std::string_view old_name, std::string_view new_name) {
  if (old_name.empty()) return 0;
  const std::string renamed(new_name);
  const std::string shorthand = std::string(old_name) + ": " + renamed;
  int count = 0;
  std::vector<CodeUse> uses;
  for (const ProjectScript& script : ProjectScripts(project)) {
    uses.clear();
    ScriptUses(script, old_name, uses);
    // Back to front, so that each offset still points at its name.
    for (auto use = uses.rbegin(); use != uses.rend(); ++use)
      (use->in_params ? *script.params : *script.code)
          .replace(use->offset, old_name.size(), use->shorthand ? shorthand : renamed);
    count += static_cast<int>(uses.size());
  }
  return count;
}

}  // namespace vorlane
