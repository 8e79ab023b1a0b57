#include "generate/script_place.h"

#include "generate/emitters.h"
#include "gui/text_lines.h"

namespace vorlane {

std::string PlaceLabel(const ScriptPlace& place) {
  switch (place.kind) {
    case ScriptKind::Event: {
      std::string label = place.resource + ", " + place.event + " event";
      if (!place.parameter.empty()) label += " with " + place.parameter;
      return label;
    }
    case ScriptKind::Scene: return place.resource + ", scene code";
    case ScriptKind::Function: return place.resource;
    case ScriptKind::GlobalVariables: return "Global variables";
    case ScriptKind::GlobalFunctions: return "Not listed custom functions";
    case ScriptKind::Extension: return "Extension " + place.resource;
  }
  return place.resource;
}

std::string PlaceLineText(const ScriptPlace& place, int line) {
  return PlaceLabel(place) + ", line " + std::to_string(line);
}

std::vector<GameScript> GameScripts(const Project& project,
                                    const std::vector<Extension>& extensions) {
  std::vector<GameScript> list;
  const auto add = [&](ScriptKind kind, const std::string& resource, int index,
                       const std::string& code, const std::string* params = nullptr) {
    list.push_back({ScriptPlace{kind, resource, "", "", index}, &code, params});
  };
  for (size_t i = 0; i < extensions.size(); ++i)
    if (extensions[i].enabled == 1)
      add(ScriptKind::Extension, extensions[i].extension, static_cast<int>(i), extensions[i].code);
  add(ScriptKind::GlobalVariables, "", -1, project.settings.variables);
  add(ScriptKind::GlobalFunctions, "", -1, project.settings.functions);
  for (size_t i = 0; i < project.fns.size(); ++i)
    add(ScriptKind::Function, project.fns[i].name, static_cast<int>(i), project.fns[i].code,
        &project.fns[i].params);
  for (const Script* s : EmittedEventScripts(project)) {
    GameScript& g = list.emplace_back();
    g.place =
        ScriptPlace{ScriptKind::Event, s->object, s->event, std::string(TrimBlanks(s->parameter)),
                    static_cast<int>(s - project.scripts.data())};
    g.code = &s->code;
  }
  for (size_t i = 0; i < project.scenes.size(); ++i)
    if (!project.scenes[i].code.empty())
      add(ScriptKind::Scene, project.scenes[i].name, static_cast<int>(i), project.scenes[i].code);
  return list;
}

std::vector<ProjectScript> ProjectScripts(Project& project) {
  std::vector<ProjectScript> list;
  list.reserve(project.fns.size() + project.scripts.size() + project.scenes.size() + 2);
  list.push_back({{ScriptKind::GlobalVariables, "", "", "", -1}, &project.settings.variables});
  list.push_back({{ScriptKind::GlobalFunctions, "", "", "", -1}, &project.settings.functions});
  for (size_t i = 0; i < project.fns.size(); ++i) {
    UserFunction& fn = project.fns[i];
    list.push_back({{ScriptKind::Function, fn.name, "", "", static_cast<int>(i)}, &fn.code,
                    &fn.params});
  }
  for (size_t i = 0; i < project.scripts.size(); ++i) {
    Script& s = project.scripts[i];
    list.push_back({{ScriptKind::Event, s.object, s.event, std::string(TrimBlanks(s.parameter)),
                     static_cast<int>(i)},
                    &s.code});
  }
  for (size_t i = 0; i < project.scenes.size(); ++i)
    list.push_back({{ScriptKind::Scene, project.scenes[i].name, "", "", static_cast<int>(i)},
                    &project.scenes[i].code});
  return list;
}

}  // namespace vorlane
