#include "generate/game_page.h"

#include "generate/emitters.h"
#include "gui/file_util.h"
#include "project/safe_name.h"
#include "project/project_paths.h"

namespace vorlane {
namespace {

// Replaces every occurrence of `marker`, scanning from the start; inserted
// text is not scanned again. The emitter appends its code to the string it
// is given and only runs when the marker is there, and only once.
template <typename Emitter>
void ReplaceMarker(std::string& text, std::string_view marker, Emitter emit) {
  size_t found = text.find(marker);
  if (found == std::string::npos) return;
  if (text.find(marker, found + marker.size()) == std::string::npos) {
    // The usual single marker: the code is written in place, into the room
    // the emitters reserve, so the large texts are not copied again.
    const std::string rest = text.substr(found + marker.size());
    text.resize(found);
    emit(text);
    text += rest;
    return;
  }
  std::string code;
  emit(code);
  std::string result;
  result.reserve(text.size() + code.size());
  size_t from = 0;
  while (found != std::string::npos) {
    result.append(text, from, found - from);
    result += code;
    from = found + marker.size();
    found = text.find(marker, from);
  }
  result.append(text, from, std::string::npos);
  text = std::move(result);
}

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
  std::string text = engine_template;
  const auto& m = kTemplateMarkers;
  ReplaceMarker(text, m[0], [&](std::string& out) { out += EmitVersion(); });
  ReplaceMarker(text, m[1], [&](std::string& out) { out += EmitExtensions(extensions); });
  ReplaceMarker(text, m[2], [&](std::string& out) { out += EmitGlobalVariables(project); });
  ReplaceMarker(text, m[3], [&](std::string& out) { out += EmitGlobalFunctions(project); });
  ReplaceMarker(text, m[4], [&](std::string& out) { EmitSprites(project, out); });
  ReplaceMarker(text, m[5], [&](std::string& out) { out += EmitSounds(project); });
  ReplaceMarker(text, m[6], [&](std::string& out) { out += EmitMusics(project); });
  ReplaceMarker(text, m[7], [&](std::string& out) { out += EmitBackgrounds(project); });
  ReplaceMarker(text, m[8], [&](std::string& out) { out += EmitFonts(project); });
  ReplaceMarker(text, m[9], [&](std::string& out) { EmitObjects(project, out); });
  ReplaceMarker(text, m[10], [&](std::string& out) { EmitScenes(project, out); });
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
