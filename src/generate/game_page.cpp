#include "generate/game_page.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "generate/emitters.h"
#include "generate/game_map.h"
#include "generate/script_scan.h"
#include "gui/file_util.h"
#include "project/project_paths.h"
#include "project/safe_name.h"

namespace vorlane {
namespace {

// One line per name, the first few only: a project from an older version
// may have hundreds.
std::string UnusableNamesMessage(const std::vector<std::string>& names) {
  constexpr size_t kShown = 10;
  std::string text = "The game could not be generated, as these names cannot be used in its code:";
  for (size_t i = 0; i < names.size() && i < kShown; ++i) text += "\n" + names[i] + ".";
  if (names.size() > kShown)
    text += "\n... and " + std::to_string(names.size() - kShown) + " more.";
  return text;
}

// Marks are in the order their code was written, so one pass over the text
// finds every mark's line.
GameMap MapOf(std::string_view text, const CodeMarks& marks) {
  GameMap map;
  int line = 1;
  size_t i = 0;
  for (const CodeMark& mark : marks) {
    for (; i < mark.offset && i < text.size();) {
      const size_t n = LineBreakAt(text, i);
      line += n ? 1 : 0;
      i += n ? n : 1;
    }
    map.entries.push_back({line, ScriptLineCount(*mark.code), mark.place});
  }
  return map;
}

}  // namespace

std::string LoadEngineTemplate(const std::string& path, std::string* error) {
  std::string bytes;
  if (!ReadFile(path, &bytes, kMaxEngineTemplateBytes, error)) return "";
  if (error) error->clear();
  return bytes;
}

std::string BuildGameScript(const Project& project, const std::string& engine_template,
                            const std::vector<Extension>& extensions, GameMap* map) {
  // Where user code lands, collected only for a map. Marks of the emitters
  // that return their text are moved by where that text went.
  CodeMarks marks;
  CodeMarks* const m = map ? &marks : nullptr;
  const auto placed = [&](std::string& out, CodeMarks&& local, std::string text) {
    for (CodeMark& mark : local) marks.push_back({mark.offset + out.size(), mark.place, mark.code});
    out += text;
  };
  using Emitter = std::function<void(std::string&)>;
  const std::array<Emitter, kTemplateMarkers.size()> emitters = {
      [&](std::string& out) { out += EmitVersion(); },
      [&](std::string& out) {
        CodeMarks local;
        std::string text = EmitExtensions(extensions, m ? &local : nullptr);
        placed(out, std::move(local), std::move(text));
      },
      [&](std::string& out) {
        if (m)
          marks.push_back({out.size(), {ScriptKind::GlobalVariables}, &project.settings.variables});
        out += EmitGlobalVariables(project);
      },
      [&](std::string& out) {
        CodeMarks local;
        std::string text = EmitGlobalFunctions(project, m ? &local : nullptr);
        placed(out, std::move(local), std::move(text));
      },
      [&](std::string& out) { EmitSprites(project, out); },
      [&](std::string& out) { out += EmitSounds(project); },
      [&](std::string& out) { out += EmitMusics(project); },
      [&](std::string& out) { out += EmitBackgrounds(project); },
      [&](std::string& out) { out += EmitFonts(project); },
      [&](std::string& out) { EmitObjects(project, out, m); },
      [&](std::string& out) { EmitScenes(project, out, m); },
  };
  // The markers are found in the template before anything is inserted, so
  // that a marker's text in user code (a string, a comment) stays as it is.
  // No marker holds another one's text, so they never overlap.
  std::vector<std::pair<size_t, size_t>> found;  // where, which marker
  std::array<int, kTemplateMarkers.size()> count{};
  for (size_t k = 0; k < kTemplateMarkers.size(); ++k) {
    const std::string_view marker = kTemplateMarkers[k];
    for (size_t at = engine_template.find(marker); at != std::string::npos;
         at = engine_template.find(marker, at + marker.size())) {
      found.emplace_back(at, k);
      ++count[k];
    }
  }
  std::sort(found.begin(), found.end());

  // A marker the template holds once, as usual, gets its code written in
  // place, so the large texts are not copied again; one held several times
  // gets the same code at each place.
  std::array<std::optional<std::string>, kTemplateMarkers.size()> repeated;
  std::string text;
  text.reserve(engine_template.size());
  size_t from = 0;
  for (const auto& [at, which] : found) {
    text.append(engine_template, from, at - from);
    if (count[which] == 1) {
      emitters[which](text);
    } else {
      // Code written more than once has no single place: left out of the map.
      const size_t kept = marks.size();
      if (!repeated[which]) emitters[which](repeated[which].emplace());
      marks.resize(kept);
      text += *repeated[which];
    }
    from = at + kTemplateMarkers[which].size();
  }
  text.append(engine_template, from, std::string::npos);
  if (map) *map = MapOf(text, marks);
  return text;
}

std::string BuildGameScript(const Project& project, const std::string& engine_template) {
  return BuildGameScript(project, engine_template, LoadExtensions(project.projectname));
}

std::string IndexHtml() {
  const char* const lines[] = {
      "<html lang='en'>",
      "<head>",
      "<meta http-equiv='X-UA-Compatible' content='IE=edge' />",
      "<meta http-equiv='pragma' content='no-cache' />",
      "<meta name='apple-mobile-web-app-capable' content='yes' />",
      "<meta name='viewport' content='initial-scale=1.0, maximum-scale=1.0, user-scalable=0, "
      "width=device-width, height=device-height' />",
      "<meta name='apple-mobile-web-app-status-bar-style' content='black-translucent' />",
      "<meta charset='utf-8' />",
      "</head>",
      "<body style='background: black; margin: 0; padding: 0; overflow: hidden;'>",
      "<div id='vorlanegame'></div>",
      nullptr,  // the link, below
      "<script type='text/javascript' src='game.js'></script>",
      "</body>",
      "</html>",
  };
  std::string page;
  for (const char* line : lines) {
    if (line) {
      page += line;
    } else {
      page += "<a style='text-decoration:none;font-size:11px;font-family:arial;"
              "color:rgb(255,255,255);' href='";
      page += kWebSiteAddress;
      page += "'>Made with Vorlane</a>";
    }
    page += '\n';
  }
  return page;
}

bool GenerateGame(const Project& project, const std::string& engine_template,
                  int generate_index_html, GenerateReport* report, bool write_map) {
  GenerateReport local;
  GenerateReport& out = report ? *report : local;
  out = GenerateReport{};
  // The list is rebuilt even for an unsaved project, as the dialog expects.
  const std::vector<Extension> extensions = LoadExtensions(project.projectname);
  if (project.projectname.empty()) return true;
  out.no_scene = project.scenes.empty();
  if (!IsPlainFileName(project.projectname)) {
    out.error = "The game could not be generated: \"" + project.projectname +
                "\" cannot be used as a folder name.";
    return false;
  }
  // Checked before anything is written: the old game stays playable.
  const std::vector<std::string> unusable = UnusableNames(project);
  if (!unusable.empty()) {
    out.error = UnusableNamesMessage(unusable);
    return false;
  }
  const std::string folder = PathsOf(project.projectname).folder;
  if (!MakeDirectory(kProjectsFolder) || !MakeDirectory(folder)) {
    out.error = "The game could not be generated: the folder \"" + folder +
                "\" could not be created.";
    return false;
  }
  GameMap map;
  const std::string script =
      BuildGameScript(project, engine_template, extensions, write_map ? &map : nullptr);

  std::string error;
  const std::string page = PathsOf(project.projectname).page;
  if (generate_index_html == 1 || !FileExists(page)) {
    if (!WriteProgramFile(page, IndexHtml(), &error)) {
      out.error = "The game could not be generated. " + error;
      return false;
    }
    out.written.push_back(page);
  }
  const std::string game = folder + "game.js";
  if (!WriteProgramFile(game, script, &error)) {
    out.error = "The game could not be generated. " + error;
    return false;
  }
  out.written.push_back(game);
  if (write_map) {
    const std::string map_file = folder + kGameMapFile;
    if (!WriteProgramFile(map_file, GameMapText(map), &error)) {
      out.error = "The game could not be generated. " + error;
      return false;
    }
    out.written.push_back(map_file);
  }
  return true;
}

}  // namespace vorlane
