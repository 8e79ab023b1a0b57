#include "code/manual_reference.h"

#include <set>

namespace vorlane {
namespace {

// A pattern ending in "_" is a prefix; any other is a whole name. Whole
// names are tried first, so "string_width" is drawing while "string" is not.
struct ThemeRule {
  const char* theme;
  std::vector<std::string_view> patterns;
};

const std::vector<ThemeRule>& Rules() {
  static const std::vector<ThemeRule> rules = {
      {"instances",
       {"instance_", "place_", "position_", "distance_", "motion_", "move_", "x", "y", "xstart",
        "ystart", "xprevious", "yprevious", "hspeed", "vspeed", "speed", "direction", "gravity",
        "gravity_direction", "friction", "visible", "depth", "collision", "id", "object_index",
        "other", "solid", "persistent"}},
      {"sprites", {"sprite_", "image_"}},
      {"drawing",
       {"draw_", "string_width", "string_height", "make_color_", "make_colour_", "color_",
        "colour_", "c_", "fa_"}},
      {"input", {"keyboard_", "mouse_", "vk_", "mb_", "ord"}},
      {"sound", {"sound_", "music_", "audio_"}},
      {"scenes",
       {"room", "room_", "game_", "view_", "background_", "vr_scenes", "vr_room_to_go", "scene_"}},
      {"math",
       {"random", "random_", "irandom", "irandom_", "choose", "abs", "sign", "round", "floor",
        "ceil", "frac", "sqr", "sqrt", "power", "exp", "ln", "log2", "log10", "min", "max", "mean",
        "clamp", "lerp", "degtorad", "radtodeg", "dsin", "dcos", "dtan", "sin", "cos", "tan",
        "arcsin", "arccos", "arctan", "arctan2", "point_", "lengthdir_", "angle_", "pi"}},
      {"alarms", {"alarm_", "alarm"}},
  };
  return rules;
}

bool IsPrefix(std::string_view pattern) { return !pattern.empty() && pattern.back() == '_'; }

const char* KindWord(const std::string& class_) {
  if (class_ == "Fn") return "function";
  if (class_ == "Var") return "variable";
  return "constant";
}

void AppendEntries(std::string& out, const std::vector<const KeywordRecord*>& records,
                   std::set<std::string>& anchored) {
  for (const KeywordRecord* r : records) {
    // A name listed twice keeps its first anchor; the page stays valid.
    const bool first = anchored.insert(r->name).second;
    out += "<div class=\"kw\"";
    if (first) out += " id=\"" + HtmlText(KeywordAnchor(r->name)) + "\"";
    out += "><h4><code>" + HtmlText(r->name) + "</code> <span class=\"tag\">" +
           KindWord(r->class_) + "</span></h4>\n";
    // The first help line shows the use; it only repeats a bare name.
    if (!r->help1.empty() && r->help1 != r->name)
      out += "<pre class=\"use\">" + HtmlText(r->help1) + "</pre>\n";
    if (!r->help2.empty()) out += "<p>" + HtmlText(r->help2) + "</p>\n";
    out += "</div>\n";
  }
}

}  // namespace

const std::vector<ReferenceTheme>& ReferenceThemes() {
  static const std::vector<ReferenceTheme> themes = {
      {"instances", "Instances and motion",
       "Creating and destroying instances, finding them, collisions, and the position and "
       "motion every instance has."},
      {"sprites", "Sprites and images",
       "The sprite an instance shows, its frame, scale, angle and transparency."},
      {"drawing", "Drawing and colours",
       "What a Draw event can paint, text alignment, and the colour constants.", "drawing.html",
       "Pictures of what they draw"},
      {"input", "Keyboard and mouse",
       "Keys and mouse buttons (a finger on a touch screen counts as the left button)."},
      {"sound", "Sound and music", "Playing, looping and stopping sounds and music."},
      {"scenes", "Scenes and the view",
       "Going from scene to scene, the scene's size and speed, and the part of it on screen."},
      {"math", "Numbers and angles",
       "Random numbers, rounding, distances and directions. Angles are in degrees, counted "
       "anticlockwise from the right."},
      {"alarms", "Alarms", "Counting down steps and reacting when the time is up."},
      {"other", "Other", "Text, debugging, the clock and the values shared by the whole game."},
  };
  return themes;
}

std::string ThemeOf(std::string_view name) {
  for (const ThemeRule& rule : Rules())
    for (std::string_view pattern : rule.patterns)
      if (!IsPrefix(pattern) && name == pattern) return rule.theme;
  for (const ThemeRule& rule : Rules())
    for (std::string_view pattern : rule.patterns)
      if (IsPrefix(pattern) && name.size() > pattern.size() && name.substr(0, pattern.size()) == pattern)
        return rule.theme;
  return "other";
}

std::string KeywordAnchor(std::string_view name) { return "kw-" + std::string(name); }

std::string HtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (byte >= 0x80) {
          out += "&#" + std::to_string(byte) + ";";
        } else if (byte < 0x20 && c != '\t') {
          // Control characters have no place in a page.
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string ReferencePage(const KeywordList& keywords) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Engine reference - Vorlane manual</title>\n"
      "<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n"
      "<nav><a href=\"index.html\">Manual</a> &rsaquo; Engine reference</nav>\n"
      "<h1>Engine reference</h1>\n"
      "<p>Every function, variable and constant the engine gives your code, as the code "
      "editor knows them: the same help lines appear there when you type a name. "
      "This page is written from the program's keyword list each time Vorlane is built, so it "
      "always matches the engine beside the program.</p>\n"
      "<p>Functions are called from event code, scene code and your own functions. "
      "Variables without a prefix (such as <code>x</code> or <code>speed</code>) belong to the "
      "instance whose code runs; the others are shared by the whole game.</p>\n";

  std::vector<std::vector<const KeywordRecord*>> by_theme(ReferenceThemes().size());
  for (const KeywordRecord& r : keywords) {
    const std::string theme = ThemeOf(r.name);
    for (size_t t = 0; t < ReferenceThemes().size(); ++t)
      if (ReferenceThemes()[t].id == theme) by_theme[t].push_back(&r);
  }

  out += "<h2>Themes</h2>\n<ul class=\"toc\">\n";
  for (size_t t = 0; t < by_theme.size(); ++t) {
    if (by_theme[t].empty()) continue;
    const ReferenceTheme& theme = ReferenceThemes()[t];
    out += "<li><a href=\"#" + theme.id + "\">" + HtmlText(theme.title) + "</a> (" +
           std::to_string(by_theme[t].size()) + ")</li>\n";
  }
  out += "<li><a href=\"#index\">All names A-Z</a></li>\n</ul>\n";

  std::set<std::string> anchored;
  for (size_t t = 0; t < by_theme.size(); ++t) {
    if (by_theme[t].empty()) continue;
    const ReferenceTheme& theme = ReferenceThemes()[t];
    out += "<section id=\"" + theme.id + "\">\n<h2>" + HtmlText(theme.title) + "</h2>\n<p>" +
           HtmlText(theme.intro);
    if (!theme.see_page.empty())
      out += " <a href=\"" + theme.see_page + "\">" + HtmlText(theme.see_title) + "</a>.";
    out += "</p>\n";
    for (const auto& [class_, heading] : {std::pair{"Fn", "Functions"},
                                          std::pair{"Var", "Variables"},
                                          std::pair{"Cons", "Constants"}}) {
      std::vector<const KeywordRecord*> records;
      for (const KeywordRecord* r : by_theme[t])
        if (r->class_ == class_) records.push_back(r);
      if (records.empty()) continue;
      out += std::string("<h3>") + heading + "</h3>\n";
      AppendEntries(out, records, anchored);
    }
    out += "<p class=\"top\"><a href=\"#\">Back to the top</a></p>\n</section>\n";
  }

  std::vector<std::string> names(anchored.begin(), anchored.end());
  out += "<section id=\"index\">\n<h2>All names A-Z</h2>\n<p class=\"az\">\n";
  for (const std::string& name : names)
    out += "<a href=\"#" + HtmlText(KeywordAnchor(name)) + "\"><code>" + HtmlText(name) +
           "</code></a>\n";
  out += "</p>\n</section>\n</body>\n</html>\n";
  return out;
}

}  // namespace vorlane
