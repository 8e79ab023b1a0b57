#include "generate/game_page.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "generate/emitters.h"
#include "gui/file_util.h"
#include "project/safe_name.h"
#include "project/project_paths.h"

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

}  // namespace

std::string LoadEngineTemplate(const std::string& path, std::string* error) {
  std::string bytes;
  if (!ReadFile(path, &bytes, kMaxEngineTemplateBytes, error)) return "";
  if (error) error->clear();
  return bytes;
}

std::string BuildGameScript(const Project& project, const std::string& engine_template,
                            const std::vector<Extension>& extensions) {
  using Emitter = std::function<void(std::string&)>;
  const std::array<Emitter, kTemplateMarkers.size()> emitters = {
      [&](std::string& out) { out += EmitVersion(); },
      [&](std::string& out) { out += EmitExtensions(extensions); },
      [&](std::string& out) { out += EmitGlobalVariables(project); },
      [&](std::string& out) { out += EmitGlobalFunctions(project); },
      [&](std::string& out) { EmitSprites(project, out); },
      [&](std::string& out) { out += EmitSounds(project); },
      [&](std::string& out) { out += EmitMusics(project); },
      [&](std::string& out) { out += EmitBackgrounds(project); },
      [&](std::string& out) { out += EmitFonts(project); },
      [&](std::string& out) { EmitObjects(project, out); },
      [&](std::string& out) { EmitScenes(project, out); },
  };
  // The markers are found in the template before anything is inserted, so
  // that a marker's text in user code (a string, a comment) stays as it is.
  // No marker holds another one's text, so they never overlap.
  std::vector<std::pair<size_t, size_t>> found;  // where, which marker
  std::array<int, kTemplateMarkers.size()> count{};
  for (size_t m = 0; m < kTemplateMarkers.size(); ++m) {
    const std::string_view marker = kTemplateMarkers[m];
    for (size_t at = engine_template.find(marker); at != std::string::npos;
         at = engine_template.find(marker, at + marker.size())) {
      found.emplace_back(at, m);
      ++count[m];
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
  for (const auto& [at, m] : found) {
    text.append(engine_template, from, at - from);
    if (count[m] == 1) {
      emitters[m](text);
    } else {
      if (!repeated[m]) emitters[m](repeated[m].emplace());
      text += *repeated[m];
    }
    from = at + kTemplateMarkers[m].size();
  }
  text.append(engine_template, from, std::string::npos);
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
                  int generate_index_html, GenerateReport* report) {
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
  const std::string script = BuildGameScript(project, engine_template, extensions);

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
  return true;
}

}  // namespace vorlane
