#include "generate/resource_uses.h"

#include <map>

#include "gui/text_lines.h"

namespace vorlane {
namespace {

// How many records of each scene, in the order the scenes were first met.
class PerScene {
 public:
  void Add(const std::string& scene) {
    if (counts_.find(scene) == counts_.end()) order_.push_back(scene);
    ++counts_[scene];
  }
  template <typename Emit>
  void Each(Emit emit) const {
    for (const std::string& scene : order_) emit(scene, counts_.at(scene));
  }

 private:
  std::vector<std::string> order_;
  std::map<std::string, int> counts_;
};

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

void RecordUses(const Project& p, ResourceKind kind, const std::string& name,
                std::vector<ResourceUse>& uses) {
  const auto add = [&](ResourceKind owner_kind, const std::string& owner, std::string what) {
    uses.push_back({owner + ": " + what, owner_kind, owner});
  };
  const auto per_scene = [&](const PerScene& scenes, const char* one, const char* many) {
    scenes.Each([&](const std::string& scene, int n) {
      add(ResourceKind::Scene, scene, Count(n, one, many));
    });
  };
  switch (kind) {
    case ResourceKind::Sprite:
      for (const GameObject& o : p.objects)
        if (o.prototype == 1 && o.sprite == name) add(ResourceKind::Object, o.name, "its sprite");
      return;
    case ResourceKind::Background: {
      for (const Scene& s : p.scenes)
        if (s.background == name) add(ResourceKind::Scene, s.name, "its background");
      PerScene tiles;
      for (const Tile& t : p.tiles)
        if (t.background == name) tiles.Add(t.scene);
      per_scene(tiles, "tile", "tiles");
      return;
    }
    case ResourceKind::Object: {
      for (const GameObject& o : p.objects)
        if (o.prototype == 1 && o.parent == name) add(ResourceKind::Object, o.name, "its parent");
      for (size_t i = 0; i < p.scripts.size(); ++i) {
        const Script& s = p.scripts[i];
        if (s.event != "Collision" || TrimBlanks(s.parameter) != name) continue;
        ResourceUse& use = uses.emplace_back();
        use.code.place = {ScriptKind::Event, s.object, s.event, name, static_cast<int>(i)};
        use.text = PlaceLabel(use.code.place);
        use.kind = ResourceKind::Object;
        use.name = s.object;
        use.is_event = true;
      }
      PerScene placed;
      for (const GameObject& o : p.objects)
        if (o.prototype != 1 && o.template_ == name) placed.Add(o.scene);
      per_scene(placed, "instance", "instances");
      for (const Scene& s : p.scenes)
        if (s.viewportobject == name) add(ResourceKind::Scene, s.name, "its view follows it");
      return;
    }
    default: return;  // sounds, musics, fonts, scenes and functions are named only in code
  }
}

}  // namespace

std::vector<ResourceUse> CodeUseEntries(const Project& project, const std::string& name) {
  std::vector<ResourceUse> uses;
  for (CodeUse& code : FindCodeUses(project, name)) {
    ResourceUse& use = uses.emplace_back();
    use.text = code.in_params ? PlaceLabel(code.place) + ", parameters"
                              : PlaceLineText(code.place, code.line);
    use.is_code = true;
    use.code = std::move(code);
  }
  return uses;
}

std::vector<ResourceUse> FindResourceUses(const Project& project, ResourceKind kind,
                                          const std::string& name) {
  std::vector<ResourceUse> uses;
  RecordUses(project, kind, name, uses);
  for (ResourceUse& use : CodeUseEntries(project, name)) uses.push_back(std::move(use));
  return uses;
}

}  // namespace vorlane
