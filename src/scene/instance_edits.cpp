#include "scene/instance_edits.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "gui/number_text.h"
#include "scene/rotate_image.h"

namespace vorlane {
namespace {

struct FrameSize {
  int w, h;
};

// The sizes of every sprite's frames and the sprite's origin, looked up
// once for a whole scan.
struct SpriteShapes {
  std::unordered_map<std::string, std::vector<FrameSize>> frames;
  std::unordered_map<std::string, std::pair<int, int>> origins;

  explicit SpriteShapes(const Project& project) {
    for (const Sprite& sprite : project.sprites)
      origins.try_emplace(sprite.name, sprite.centerx, sprite.centery);
    for (const Frame& frame : project.frames)
      if (frame.image && !frame.image->is_null())
        frames[frame.sprite].push_back({frame.image->width(), frame.image->height()});
  }
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
  if (!instance.image) {
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
  const ImageRef picture = FirstFrameImage(project, source->sprite);
  SetObjectImage(instance, picture && !picture->is_null() ? picture : nullptr);
  if (!instance.image) instance.imagewidth = instance.imageheight = kMarkerSize;
  instance.displayimage = instance.image;
  project.objects.push_back(std::move(instance));
  return static_cast<int>(project.objects.size()) - 1;
}

std::vector<int> HitInstances(const Project& project, const std::string& scene, int x, int y) {
  const SpriteShapes shapes(project);
  std::vector<int> hits;
  for (size_t i = 0; i < project.objects.size(); ++i)
    if (IsInstanceOf(project.objects[i], scene) && Hit(project.objects[i], shapes, x, y))
      hits.push_back(static_cast<int>(i));
  return hits;
}

void SelectInstancesAt(Project& project, const std::string& scene, int x, int y) {
  for (const int index : HitInstances(project, scene, x, y)) {
    GameObject& instance = project.objects[static_cast<size_t>(index)];
    instance.selected = instance.selected ? 0 : 1;
    if (!instance.image) return;
  }
}

int RemoveInstancesAt(Project& project, const std::string& scene, int x, int y) {
  std::vector<std::string> names;
  for (const int index : HitInstances(project, scene, x, y))
    names.push_back(project.objects[static_cast<size_t>(index)].name);
  DeleteInstances(project, names);
  return static_cast<int>(names.size());
}

void ClearInstanceSelection(Project& project) {
  for (GameObject& record : project.objects)
    if (record.prototype == 0) record.selected = 0;
}

std::vector<std::string> SelectedInstances(const Project& project, const std::string& scene) {
  std::vector<std::string> names;
  for (const GameObject& record : project.objects)
    if (IsInstanceOf(record, scene) && record.selected) names.push_back(record.name);
  return names;
}

int FirstSelectedInstance(const Project& project, const std::string& scene) {
  for (size_t i = 0; i < project.objects.size(); ++i)
    if (IsInstanceOf(project.objects[i], scene) && project.objects[i].selected)
      return static_cast<int>(i);
  return -1;
}

void MoveSelectedInstances(Project& project, const std::string& scene, int dx, int dy) {
  for (GameObject& record : project.objects)
    if (IsInstanceOf(record, scene) && record.selected) MoveInstance(record, dx, dy);
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

void RebuildDisplayImage(GameObject& instance) {
  if (!instance.image) {
    instance.displayimage = nullptr;
    return;
  }
  instance.displayimage = instance.image_angle == 0
                              ? instance.image
                              : ShareImage(RotateImage(*instance.image, instance.image_angle, true,
                                                       Color{255, 255, 255, 255}));
}

void RebuildDisplayImages(Project& project) {
  for (GameObject& record : project.objects)
    if (record.prototype == 0 && record.image) RebuildDisplayImage(record);
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
  RebuildDisplayImage(instance);
  SetModified(project, 1);
}

}  // namespace vorlane
