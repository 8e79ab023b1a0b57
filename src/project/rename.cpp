#include "project/rename.h"

#include "gui/text_lines.h"

#include "project/js_name.h"
#include "project/reserved_names.h"

namespace vorlane {
namespace {

template <typename Record>
int IndexIn(const std::vector<Record>& list, const std::string& name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].name == name) return static_cast<int>(i);
  return -1;
}

template <typename Record>
bool NameTaken(const std::vector<Record>& list, const std::string& name, int index) {
  for (size_t i = 0; i < list.size(); ++i)
    if (static_cast<int>(i) != index && list[i].name == name) return true;
  return false;
}

void Follow(std::string& field, const std::string& from, const std::string& to) {
  if (field == from) field = to;
}

void RenameSprite(Project& p, const std::string& from, const std::string& to) {
  for (auto& object : p.objects) Follow(object.sprite, from, to);
  for (auto& frame : p.frames) Follow(frame.sprite, from, to);
}

void RenameBackground(Project& p, const std::string& from, const std::string& to) {
  for (auto& scene : p.scenes) Follow(scene.background, from, to);
  for (auto& tile : p.tiles) Follow(tile.background, from, to);
}

void RenameObject(Project& p, const std::string& from, const std::string& to) {
  for (auto& script : p.scripts) {
    Follow(script.object, from, to);
    // Collision partners are typed into a free field: "b " names b too.
    if (TrimBlanks(script.parameter) == from) script.parameter = to;
  }
  for (auto& object : p.objects) {
    Follow(object.template_, from, to);
    Follow(object.parent, from, to);
  }
  // A scene whose view followed the object keeps following it.
  for (auto& scene : p.scenes) Follow(scene.viewportobject, from, to);
}

void RenameScene(Project& p, const std::string& from, const std::string& to) {
  // The card drawn under the old name is the renamed scene's.
  if (const auto card = p.cards.scenes.extract(from)) p.cards.scenes[to] = std::move(card.mapped());
  for (auto& object : p.objects)
    if (object.prototype == 0) Follow(object.scene, from, to);
  for (auto& layer : p.layers) Follow(layer.scene, from, to);
  for (auto& tile : p.tiles) Follow(tile.scene, from, to);
}

// Calls `visit` with the kind's list.
template <typename P, typename Visit>
auto WithList(P& p, ResourceKind kind, Visit visit) {
  switch (kind) {
    case ResourceKind::Sprite: return visit(p.sprites);
    case ResourceKind::Sound: return visit(p.sounds);
    case ResourceKind::Music: return visit(p.musics);
    case ResourceKind::Background: return visit(p.backgrounds);
    case ResourceKind::Font: return visit(p.fonts);
    case ResourceKind::Object: return visit(p.objects);
    case ResourceKind::Scene: return visit(p.scenes);
    case ResourceKind::Function: break;
  }
  return visit(p.fns);
}

// Instances share the objects' list; they are no globals of the game.
template <typename Record>
bool IsGlobal(const Record&) {
  return true;
}
bool IsGlobal(const GameObject& object) { return object.prototype == 1; }

// The first resource, other than the one at `index` of `kind`, whose
// globals `resource` would replace.
std::string ClashWithOthers(const Project& p, const GameName& resource, int index) {
  for (ResourceKind kind : kResourceKinds) {
    const std::string problem = WithList(p, kind, [&](const auto& list) {
      for (size_t i = 0; i < list.size(); ++i) {
        if ((kind == resource.kind && static_cast<int>(i) == index) || !IsGlobal(list[i])) continue;
        const GameName other{kind, list[i].name};
        if (NamesClash(resource, other)) return UsedByProblem(resource, other);
      }
      return std::string();
    });
    if (!problem.empty()) return problem;
  }
  return "";
}

// The name field of the record at `index`, null when out of range.
std::string* NameAt(Project& p, ResourceKind kind, int index) {
  return WithList(p, kind, [index](auto& list) -> std::string* {
    return index >= 0 && static_cast<size_t>(index) < list.size() ? &list[index].name : nullptr;
  });
}

}  // namespace

int ResourceIndex(const Project& p, ResourceKind kind, const std::string& name) {
  return WithList(p, kind, [&name](const auto& list) { return IndexIn(list, name); });
}

int ResourceCount(const Project& p, ResourceKind kind) {
  return WithList(p, kind, [](const auto& list) { return static_cast<int>(list.size()); });
}

std::string ResourceName(const Project& p, ResourceKind kind, int index) {
  return WithList(p, kind, [index](const auto& list) {
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[index].name
                                                                  : std::string();
  });
}

std::string CheckResourceName(const Project& p, ResourceKind kind, const std::string& name,
                              int index) {
  const std::string what = std::string("The ") + KindWord(kind) + " name";
  if (name.empty()) return what + " is missing";
  // Every kind's name becomes a variable of the generated game.
  if (std::string problem = CheckJsName(KindWord(kind), name); !problem.empty()) return problem;
  const bool taken =
      WithList(p, kind, [&](const auto& list) { return NameTaken(list, name, index); });
  if (taken) return what + " '" + name + "' already exists";
  const GameName resource{kind, name};
  if (std::string problem = ReservedNameProblem(resource); !problem.empty()) return problem;
  return ClashWithOthers(p, resource, index);
}

namespace {
CodeRenameHook& CodeHook() {
  static CodeRenameHook hook;
  return hook;
}
}  // namespace

ScopedCodeRenameHook::ScopedCodeRenameHook(CodeRenameHook hook) { CodeHook() = std::move(hook); }
ScopedCodeRenameHook::~ScopedCodeRenameHook() { CodeHook() = nullptr; }

void RenameResource(Project& p, ResourceKind kind, int index, const std::string& new_name) {
  std::string* name = NameAt(p, kind, index);
  if (!name || *name == new_name) return;
  const std::string old_name = *name;
  switch (kind) {
    case ResourceKind::Sprite: RenameSprite(p, old_name, new_name); break;
    case ResourceKind::Background: RenameBackground(p, old_name, new_name); break;
    case ResourceKind::Object: RenameObject(p, old_name, new_name); break;
    case ResourceKind::Scene: RenameScene(p, old_name, new_name); break;
    default: break;
  }
  *name = new_name;  // the ripples above never resize a list, so `name` still points at it
  if (CodeHook()) CodeHook()(p, old_name, new_name);
}

}  // namespace vorlane
