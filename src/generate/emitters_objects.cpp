// The object emitter: one constructor per object resource with a handler
// for each of the nine event kinds, and a table of its alarm, keyboard and
// mouse events when it has any.
#include <array>
#include <map>
#include <unordered_map>

#include "generate/emitter_text.h"
#include "generate/emitters.h"

namespace vorlane {

using emit::Append;
using emit::kNL;

namespace {

struct EventKind {
  std::string_view event;    // as stored in scripts
  std::string_view handler;  // the instance's handler property
  std::string_view fallback; // the engine's default handler
};

constexpr std::array<EventKind, 9> kEventKinds = {{
    {"Creation", "on_creation", "on_creation_i"},
    {"Destroy", "on_destroy", "on_destroy_i"},
    {"Step", "on_step", "on_step_i"},
    {"End step", "on_end_step", "on_end_step_i"},
    {"Collision", "on_collision", "on_collision_i"},
    {"Room start", "on_roomstart", "on_roomstart_i"},
    {"Room end", "on_roomend", "on_roomend_i"},
    {"Animation end", "on_animationend", "on_animationend_i"},
    {"Draw", "on_draw", "on_draw_i"},
}};
constexpr size_t kCollision = 4;
constexpr size_t kAnimationEnd = 7;
constexpr size_t kDraw = 8;

// Kinds with a parameter (key, button or alarm number) that the engine runs
// from a table keyed "Kind|parameter".
constexpr std::array<std::string_view, 5> kTableKinds = {"Alarm", "Keyboard", "Key pressed",
                                                         "Key released", "Mouse"};

bool IsTableKind(std::string_view event) {
  for (std::string_view k : kTableKinds)
    if (k == event) return true;
  return false;
}

using ScriptsByKind = std::array<std::vector<const Script*>, kEventKinds.size()>;
// An object's table events by key, each key's scripts in script-list order.
using TableScripts = std::map<std::string, std::vector<const Script*>>;

int KindOf(std::string_view event) {
  for (size_t k = 0; k < kEventKinds.size(); ++k)
    if (kEventKinds[k].event == event) return static_cast<int>(k);
  return -1;
}

// Every object's scripts by event kind, in script-list order, in one pass.
std::unordered_map<std::string_view, ScriptsByKind> ScriptsOf(const Project& project) {
  std::unordered_map<std::string_view, ScriptsByKind> scripts_of;
  for (const Script& s : project.scripts) {
    const int kind = KindOf(s.event);
    if (kind >= 0) scripts_of[s.object][static_cast<size_t>(kind)].push_back(&s);
  }
  return scripts_of;
}

std::unordered_map<std::string_view, TableScripts> TableScriptsOf(const Project& project) {
  std::unordered_map<std::string_view, TableScripts> table_of;
  // One without its key, button or number could never run, so it stays out.
  for (const Script& s : project.scripts)
    if (IsTableKind(s.event) && !TrimBlanks(s.parameter).empty())
      table_of[s.object][s.event + "|" + std::string(TrimBlanks(s.parameter))].push_back(&s);
  return table_of;
}

void AppendTable(std::string& out, const TableScripts& table, bool wrap_with_this,
                 const Project& project, CodeMarks* marks) {
  Append(out, "this.__vr_more = {", kNL);
  for (const auto& [key, scripts] : table) {
    Append(out, "'", emit::JsText(key), "': function() {", kNL);
    if (wrap_with_this) Append(out, "with(this) {", kNL);
    for (const Script* s : scripts) {
      if (marks)
        marks->push_back({out.size(),
                          {ScriptKind::Event, s->object, s->event,
                           std::string(TrimBlanks(s->parameter)),
                           static_cast<int>(s - project.scripts.data())},
                          &s->code});
      Append(out, s->code, kNL);
    }
    if (wrap_with_this) Append(out, "}", kNL);
    Append(out, "},", kNL);
  }
  Append(out, "};", kNL);
}

// The partner is typed in a free field, so blanks around it may remain; a
// collision with an object the game does not define is left out.
std::string_view EmittedPartner(const Script& s, const emit::DefinedNames& names) {
  const std::string_view other = TrimBlanks(s.parameter);
  return names.objects.count(other) ? other : std::string_view();
}

void AppendHandler(std::string& out, size_t kind, const std::vector<const Script*>& scripts,
                   bool wrap_with_this, const emit::DefinedNames& names, const Project& project,
                   CodeMarks* marks) {
  const EventKind& e = kEventKinds[kind];
  if (scripts.empty()) {
    Append(out, "this.", e.handler, " = ", e.fallback, ";", kNL);
    return;
  }
  Append(out, "this.", e.handler, " = function() {", kNL);
  if (kind == kAnimationEnd) Append(out, "if(this.image_index >= this.image_number - 1) {", kNL);
  if (kind == kDraw) Append(out, "if (this.visible == 1) {", kNL, "__handle_sprite__(this);", kNL);
  if (wrap_with_this) Append(out, "with(this) {", kNL);
  const auto mark = [&](const Script* s, std::string_view parameter) {
    if (marks)
      marks->push_back({out.size(),
                        {ScriptKind::Event, s->object, s->event, std::string(parameter),
                         static_cast<int>(s - project.scripts.data())},
                        &s->code});
  };
  for (const Script* s : scripts) {
    if (kind != kCollision) {
      mark(s, {});
      Append(out, s->code, kNL);
      continue;
    }
    const std::string_view other = EmittedPartner(*s, names);
    if (other.empty()) continue;
    Append(out, "this.other = this.place_meeting(this.x, this.y, ", other, ");", kNL,
           "if(this.other != null && __vr_partner(", other, ")) {", kNL);
    mark(s, other);
    Append(out, s->code, kNL, "}", kNL);
  }
  if (wrap_with_this) Append(out, "}", kNL);
  if (kind == kAnimationEnd || kind == kDraw) Append(out, "}", kNL);
  Append(out, "};", kNL);
}

}  // namespace

std::string EmitObjects(const Project& project) {
  std::string out;
  EmitObjects(project, out);
  return out;
}

std::vector<const Script*> EmittedEventScripts(const Project& project) {
  const auto scripts_of = ScriptsOf(project);
  const auto table_of = TableScriptsOf(project);
  const emit::DefinedNames names(project);
  std::vector<const Script*> list;
  for (const GameObject& o : project.objects) {
    if (o.prototype != 1) continue;
    const auto found = scripts_of.find(o.name);
    if (found != scripts_of.end())
      for (size_t kind = 0; kind < kEventKinds.size(); ++kind)
        for (const Script* s : found->second[kind])
          if (kind != kCollision || !EmittedPartner(*s, names).empty()) list.push_back(s);
    const auto table = table_of.find(o.name);
    if (table != table_of.end())
      for (const auto& entry : table->second)
        list.insert(list.end(), entry.second.begin(), entry.second.end());
  }
  return list;
}

void EmitObjects(const Project& project, std::string& out, CodeMarks* marks) {
  const auto scripts_of = ScriptsOf(project);
  const auto table_of = TableScriptsOf(project);
  size_t code_size = 0;
  for (const Script& s : project.scripts) code_size += s.code.size() + s.parameter.size() + 80;
  const ScriptsByKind none;
  const bool wrap_with_this = project.settings.advancedscriptmode == 0;
  const emit::DefinedNames names(project);

  out.reserve(out.size() + code_size + project.objects.size() * 400);
  // The index is the record's place in the whole list, instances included.
  int index = 0;
  for (const GameObject& o : project.objects) {
    const int this_index = index++;
    if (o.prototype != 1) continue;
    Append(out, "function __", o.name, "() {", kNL, "__instance_init__(this, ", o.name, ", ",
           names.Known(names.objects, o.parent), ", ", o.visible, ", ", o.depth, ", ",
           names.Known(names.sprites, o.sprite),
           ", ", o.collision, ", ", this_index, ");", kNL);
    const auto found = scripts_of.find(o.name);
    const ScriptsByKind& scripts = found == scripts_of.end() ? none : found->second;
    for (size_t kind = 0; kind < kEventKinds.size(); ++kind)
      AppendHandler(out, kind, scripts[kind], wrap_with_this, names, project, marks);
    const auto table = table_of.find(o.name);
    if (table != table_of.end()) AppendTable(out, table->second, wrap_with_this, project, marks);
    Append(out, "}; var ", o.name, " = new __", o.name, "();", kNL, kNL);
  }
}

}  // namespace vorlane
