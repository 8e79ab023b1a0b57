#include "scene/instance_edits.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "gui/number_text.h"

namespace vorlane {
namespace {

struct FrameSize {
  int w, h;
};

// The sizes of every sprite's frames, the sprite's origin and whether its
// first frame holds a picture (it is shown by it), looked up once for a
// whole scan.
struct SpriteShapes {
  std::unordered_map<std::string, std::vector<FrameSize>> frames;
  std::unordered_map<std::string, std::pair<int, int>> origins;
  std::unordered_set<std::string> pictured;

  explicit SpriteShapes(const Project& project) {
    for (const Sprite& sprite : project.sprites)
      origins.try_emplace(sprite.name, sprite.centerx, sprite.centery);
    for (const Frame& frame : project.frames)
      if (HasPicture(frame))
        frames[frame.sprite].push_back({frame.image->width(), frame.image->height()});
    for (const auto& [sprite, picture] : FirstFrameImages(project))
      if (picture) pictured.insert(sprite);
  }

  bool Pictured(const GameObject& instance) const { return pictured.count(instance.sprite) > 0; }
};

bool Hit(const GameObject& instance, const SpriteShapes& shapes, int x, int y) {
  int ox = 0, oy = 0;
  if (instance.sprite.empty()) {
    ox = oy = kMarkerHalf;
  } else if (const auto found = shapes.origins.find(instance.sprite);
             found != shapes.origins.end()) {
    std::tie(ox, oy) = found->second;
  }
  const int left = instance.x - ox, top = instance.y - oy;
  if (!shapes.Pictured(instance)) {
    return left <= x && x <= left + kMarkerSize && top <= y && y <= top + kMarkerSize;
  }
  const auto found = shapes.frames.find(instance.sprite);
  if (found == shapes.frames.end()) return false;
  return std::any_of(found->second.begin(), found->second.end(), [&](const FrameSize& frame) {
    return left <= x && x <= left + frame.w && top <= y && y <= top + frame.h;
  });
}

// Positions stop at the ends of the int range, as tiles' do.
void MoveInstance(GameObject& instance, int dx, int dy) {
  instance.x = AddClamped(instance.x, dx);
  instance.y = AddClamped(instance.y, dy);
}

}  // namespace

bool IsInstanceOf(const GameObject& record, const std::string& scene) {
  return record.prototype == 0 && record.scene == scene;
}

int PlaceInstance(Project& project, const std::string& scene, const std::string& object, int x,
                  int y) {
  const GameObject* source = FindObject(project, object);
  if (!source) return -1;
  GameObject instance;
  instance.prototype = 0;
  instance.name = "SceneObject" + std::to_string(NextUID(project));
  instance.template_ = source->name;
  instance.scene = scene;
  instance.sprite = source->sprite;
  instance.depth = source->depth;
  instance.x = x;
  instance.y = y;
  project.objects.push_back(std::move(instance));
  return static_cast<int>(project.objects.size()) - 1;
}

namespace {

std::vector<int> Hits(const Project& project, const SpriteShapes& shapes, const std::string& scene,
                      int x, int y) {
  std::vector<int> hits;
  for (size_t i = 0; i < project.objects.size(); ++i)
    if (IsInstanceOf(project.objects[i], scene) && Hit(project.objects[i], shapes, x, y))
      hits.push_back(static_cast<int>(i));
  return hits;
}

}  // namespace

std::vector<int> HitInstances(const Project& project, const std::string& scene, int x, int y) {
  return Hits(project, SpriteShapes(project), scene, x, y);
}

void SelectInstancesAt(const Project& project, const std::string& scene, int x, int y,
                       std::unordered_set<std::string>& selected) {
  const SpriteShapes shapes(project);
  for (const int index : Hits(project, shapes, scene, x, y)) {
    const GameObject& instance = project.objects[static_cast<size_t>(index)];
    if (!selected.erase(instance.name)) selected.insert(instance.name);
    if (!shapes.Pictured(instance)) return;
  }
}

int RemoveInstancesAt(Project& project, const std::string& scene, int x, int y) {
  std::vector<std::string> names;
  for (const int index : HitInstances(project, scene, x, y))
    names.push_back(project.objects[static_cast<size_t>(index)].name);
  DeleteInstances(project, names);
  return static_cast<int>(names.size());
}

std::vector<std::string> SelectedInstances(const Project& project, const std::string& scene,
                                           const std::unordered_set<std::string>& selected) {
  std::vector<std::string> names;
  for (const GameObject& record : project.objects)
    if (IsInstanceOf(record, scene) && selected.count(record.name)) names.push_back(record.name);
  return names;
}

int FirstSelectedInstance(const Project& project, const std::string& scene,
                          const std::unordered_set<std::string>& selected) {
  for (size_t i = 0; i < project.objects.size(); ++i)
    if (IsInstanceOf(project.objects[i], scene) && selected.count(project.objects[i].name))
      return static_cast<int>(i);
  return -1;
}

void MoveSelectedInstances(Project& project, const std::string& scene,
                           const std::unordered_set<std::string>& selected, int dx, int dy) {
  for (GameObject& record : project.objects)
    if (IsInstanceOf(record, scene) && selected.count(record.name)) MoveInstance(record, dx, dy);
}

void ShiftInstances(Project& project, const std::string& scene, int dx, int dy) {
  for (GameObject& record : project.objects)
    if (IsInstanceOf(record, scene)) MoveInstance(record, dx, dy);
}

void DeleteInstances(Project& project, const std::vector<std::string>& names) {
  if (names.empty()) return;
  const std::unordered_set<std::string> gone(names.begin(), names.end());
  std::erase_if(project.objects, [&](const GameObject& record) {
    return gone.count(record.name) || gone.count(record.template_);
  });
  std::erase_if(project.scripts, [&](const Script& script) { return gone.count(script.object); });
}

void DeleteAllInstances(Project& project, const std::string& scene) {
  std::vector<std::string> names;
  for (const GameObject& record : project.objects)
    if (IsInstanceOf(record, scene)) names.push_back(record.name);
  DeleteInstances(project, names);
}

std::string InstanceStatus(const GameObject& instance) {
  return "[" + instance.template_ + "] x:" + std::to_string(instance.x) +
         " y:" + std::to_string(instance.y);
}

void StoreInstanceProperties(Project& project, int index, const std::string& x,
                             const std::string& y, const std::string& direction,
                             const std::string& image_angle) {
  if (index < 0 || index >= static_cast<int>(project.objects.size())) return;
  GameObject& instance = project.objects[static_cast<size_t>(index)];
  instance.x = LeadingInt(x);
  instance.y = LeadingInt(y);
  instance.direction = LeadingInt(direction);
  instance.image_angle = LeadingInt(image_angle);
  SetModified(project, 1);
}

}  // namespace vorlane
