#include "generate/name_check.h"

#include <set>
#include <string_view>
#include <unordered_set>

#include "generate/script_names.h"
#include "project/js_name.h"
#include "project/reserved_names.h"
#include "project/top_level_names.h"

namespace vorlane {
namespace {

using NameSet = std::unordered_set<std::string_view>;

std::string_view NameOf(std::string_view code, const ScriptName& name) {
  return code.substr(name.begin, name.end - name.begin);
}

// Words that are not JavaScript's reserved ones yet mean something in
// their place: `for (x of y)`, `get`/`set`/`async` methods, `new.target`.
bool IsContextualWord(std::string_view word) {
  for (std::string_view w : {"of", "get", "set", "async", "from", "as", "target", "meta"})
    if (word == w) return true;
  return false;
}

// Every name that can be a global or an instance's variable in this project.
class KnownNames {
 public:
  KnownNames(const Project& project, const std::vector<Extension>& extensions) {
    for (const auto& s : project.sprites) Add(s.name);
    for (const auto& s : project.sounds) Add(s.name);
    for (const auto& m : project.musics) Add(m.name);
    for (const auto& b : project.backgrounds) Add(b.name);
    for (const auto& f : project.fonts) Add(f.name);
    for (const auto& o : project.objects) Add(o.name);
    for (const auto& s : project.scenes) Add(s.name);
    for (const auto& l : project.layers) Add(l.name);
    for (const auto& f : project.fns) Add(f.name);
    Declared(project.settings.variables);
    Declared(project.settings.functions);
    for (const Extension& e : extensions)
      if (e.enabled) Declared(e.code);
  }

  void Add(std::string name) { names_.insert(std::move(name)); }
  bool Has(std::string_view name) const {
    // A resource's constructor: __spr_ball for spr_ball.
    if (name.substr(0, 2) == "__" && Has(name.substr(2))) return true;
    return names_.count(std::string(name)) > 0 || IsEngineName(name) || IsBrowserName(name) ||
           !JsNameProblem(name).empty() || IsContextualWord(name);
  }

 private:
  void Declared(const std::string& script) {
    for (std::string& name : TopLevelNames(script)) Add(std::move(name));
  }

  std::set<std::string> names_;
};

}  // namespace

std::vector<UnknownName> UnknownNames(const Project& project,
                                      const std::vector<Extension>& extensions) {
  KnownNames known(project, extensions);
  // ProjectScripts hands out pointers it may write through; nothing here does.
  const std::vector<ProjectScript> scripts = ProjectScripts(const_cast<Project&>(project));
  std::vector<std::vector<ScriptName>> names;
  names.reserve(scripts.size());
  for (const ProjectScript& script : scripts) {
    names.push_back(ScriptNames(*script.code));
    // Instance variables, used bare inside `with (this)`, and whatever a
    // script assigns without declaring it.
    for (const ScriptName& name : names.back())
      if (name.assigned || name.role == NameRole::Member) known.Add(std::string(NameOf(*script.code, name)));
  }
  std::vector<UnknownName> unknown;
  for (size_t s = 0; s < scripts.size(); ++s) {
    const std::string& code = *scripts[s].code;
    NameSet own;  // the script's own declarations, its parameters included
    if (scripts[s].params)
      for (const ScriptName& name : ScriptNames(*scripts[s].params, true))
        if (name.role == NameRole::Declaration) own.insert(NameOf(*scripts[s].params, name));
    for (const ScriptName& name : names[s])
      if (name.role == NameRole::Declaration || name.label) own.insert(NameOf(code, name));
    NameSet reported;
    for (const ScriptName& name : names[s]) {
      const std::string_view text = NameOf(code, name);
      if ((name.role != NameRole::Use && name.role != NameRole::Shorthand) || name.tested ||
          own.count(text) ||
          reported.count(text) || known.Has(text))
        continue;
      reported.insert(text);
      unknown.push_back({scripts[s].place, name.line, std::string(text)});
    }
  }
  return unknown;
}

std::string UnknownNameText(const UnknownName& unknown) {
  return PlaceLineText(unknown.place, unknown.line) + ": '" + unknown.name +
         "' is not a resource, function, variable or engine name";
}

}  // namespace vorlane
