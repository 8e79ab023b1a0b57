#include "project/model.h"

#include <algorithm>
#include <unordered_set>

namespace vorlane {
namespace {

// Every creation marks the project modified and appends a record with its
// defaults, named by the kind's prefix and the next unique number.
template <typename Record>
std::string AppendNew(Project& project, std::vector<Record>& list, const char* prefix,
                      Record record = {}) {
  SetModified(project, 1);
  record.name = prefix + std::to_string(NextUID(project));
  list.push_back(std::move(record));
  return list.back().name;
}

// Removal keeps the survivors in order; there are no gaps or tombstones.
template <typename Record, typename Pred>
void RemoveWhere(std::vector<Record>& list, Pred pred) {
  list.erase(std::remove_if(list.begin(), list.end(), pred), list.end());
}

template <typename Record>
void RemoveNamed(std::vector<Record>& list, const std::string& name) {
  RemoveWhere(list, [&](const Record& r) { return r.name == name; });
}

template <typename Record>
Record* FindNamed(std::vector<Record>& list, const std::string& name) {
  for (auto& record : list)
    if (record.name == name) return &record;
  return nullptr;
}

}  // namespace

int NextUID(Project& project) { return ++project.uid; }

void SetModified(Project& project, int flag) { project.modified = flag ? 1 : 0; }

std::string NewSprite(Project& p) { return AppendNew(p, p.sprites, "sprite_"); }
std::string NewSound(Project& p) { return AppendNew(p, p.sounds, "sound_"); }
std::string NewMusic(Project& p) { return AppendNew(p, p.musics, "music_"); }
std::string NewBackground(Project& p) { return AppendNew(p, p.backgrounds, "background_"); }
std::string NewFont(Project& p) { return AppendNew(p, p.fonts, "font_"); }
std::string NewObject(Project& p) { return AppendNew(p, p.objects, "object_"); }
std::string NewFunction(Project& p) { return AppendNew(p, p.fns, "function_"); }

std::string NewScene(Project& project) {
  const std::string name = AppendNew(project, project.scenes, "scene_");
  NewLayer(project, name);
  return name;
}

std::string NewLayer(Project& project, const std::string& scene) {
  Layer layer;
  layer.scene = scene;
  return AppendNew(project, project.layers, "layer_", std::move(layer));
}

std::string NewScript(Project& project, const std::string& object, const std::string& event,
                      const std::string& parameter) {
  return AppendNew(project, project.scripts, "scr_", Script{"", object, event, parameter, ""});
}

void DeleteSprite(Project& project, const std::string& name) {
  for (auto& object : project.objects)
    if (object.sprite == name) object.sprite.clear();
  RemoveWhere(project.frames, [&](const Frame& f) { return f.sprite == name; });
  RemoveNamed(project.sprites, name);
}

void DeleteBackground(Project& project, const std::string& name) {
  RemoveNamed(project.backgrounds, name);
  for (auto& scene : project.scenes)
    if (scene.background == name) scene.background.clear();
  RemoveWhere(project.tiles, [&](const Tile& t) { return t.background == name; });
}

void DeleteObject(Project& project, const std::string& name) {
  RemoveWhere(project.objects,
              [&](const GameObject& o) { return o.name == name || o.template_ == name; });
  RemoveWhere(project.scripts, [&](const Script& s) { return s.object == name; });
}

void DeleteScene(Project& project, const std::string& name) {
  RemoveNamed(project.scenes, name);
  // Deleting each instance as an object, in one pass: records named like an
  // instance or made from it go, and so do scripts keyed by its name.
  std::unordered_set<std::string> instances;
  for (const auto& object : project.objects)
    if (object.scene == name) instances.insert(object.name);
  if (!instances.empty()) {
    RemoveWhere(project.objects, [&](const GameObject& o) {
      return instances.count(o.name) || instances.count(o.template_);
    });
    RemoveWhere(project.scripts, [&](const Script& s) { return instances.count(s.object) > 0; });
  }
  RemoveWhere(project.layers, [&](const Layer& l) { return l.scene == name; });
  RemoveWhere(project.tiles, [&](const Tile& t) { return t.scene == name; });
}

void DeleteLayer(Project& project, const std::string& name) { RemoveNamed(project.layers, name); }
void DeleteTile(Project& project, const std::string& name) { RemoveNamed(project.tiles, name); }
void DeleteFont(Project& project, const std::string& name) { RemoveNamed(project.fonts, name); }
void DeleteSound(Project& project, const std::string& name) { RemoveNamed(project.sounds, name); }
void DeleteMusic(Project& project, const std::string& name) { RemoveNamed(project.musics, name); }
void DeleteFunction(Project& project, const std::string& name) { RemoveNamed(project.fns, name); }

void DuplicateObject(Project& project, const std::string& name) {
  const GameObject* source = FindObject(project, name);
  if (!source) return;
  GameObject copy = *source;
  copy.name = name + "_dup";
  project.objects.push_back(std::move(copy));

  const size_t count = project.scripts.size();  // only the source's scripts, not the new ones
  for (size_t i = 0; i < count; ++i) {
    if (project.scripts[i].object != name) continue;
    Script script = project.scripts[i];
    script.object = name + "_dup";
    project.scripts.push_back(std::move(script));
  }
}

std::unordered_map<std::string, ImageRef> FirstFrameImages(const Project& project) {
  std::unordered_map<std::string, ImageRef> first;
  for (const auto& frame : project.frames)
    first.try_emplace(frame.sprite, HasPicture(frame) ? frame.image : nullptr);
  return first;
}

ImageRef FirstFrameImage(const Project& project, const std::string& sprite) {
  for (const auto& frame : project.frames)
    if (frame.sprite == sprite) return HasPicture(frame) ? frame.image : nullptr;
  return nullptr;
}

ImageRef CutTileImage(const Tile& tile, const Image& set) {
  if (tile.width <= 0 || tile.height <= 0) return nullptr;
  Image image = Image::Transparent(tile.width, tile.height);
  // Where the cut-out meets the picture is worked out in 64 bits: the
  // corner can be anywhere an int reaches, and is negated only once it is
  // known to lie within one tile's size of the picture.
  const std::int64_t left = tile.left, top = tile.top;
  if (set.is_null())
    image.Fill(Color{255, 0, 0, 255});
  else if (left < set.width() && left + tile.width > 0 && top < set.height() &&
           top + tile.height > 0)
    image.Draw(set, static_cast<int>(-left), static_cast<int>(-top), DrawMode::Blend);
  return ShareImage(std::move(image));
}

std::string StandInSource(const SavedFrames& saved, const ImageRef& image,
                          const std::string& path) {
  if (!image || !image->is_null()) return "";
  if (const auto found = saved.find(path); found != saved.end() && found->second.stand_in == image)
    return path;
  for (const auto& [file, entry] : saved)
    if (entry.stand_in == image) return file;
  return "";
}

bool HasPicture(const Frame& frame) { return frame.image && !frame.image->is_null(); }

void ResetProject(Project& project) {
  project.uid = 1;
  project.settings = ProjectSettings{};
  project.sprites.clear();
  project.frames.clear();
  project.sounds.clear();
  project.musics.clear();
  project.backgrounds.clear();
  project.fonts.clear();
  project.objects.clear();
  project.scripts.clear();
  project.scenes.clear();
  project.layers.clear();
  project.tiles.clear();
  project.fns.clear();
  project.cards = Cards{};
}

Sprite* FindSprite(Project& p, const std::string& n) { return FindNamed(p.sprites, n); }
Background* FindBackground(Project& p, const std::string& n) { return FindNamed(p.backgrounds, n); }
Scene* FindScene(Project& p, const std::string& n) { return FindNamed(p.scenes, n); }
Sound* FindSound(Project& p, const std::string& n) { return FindNamed(p.sounds, n); }
Sound* FindMusic(Project& p, const std::string& n) { return FindNamed(p.musics, n); }
Font* FindFont(Project& p, const std::string& n) { return FindNamed(p.fonts, n); }
UserFunction* FindFunction(Project& p, const std::string& n) { return FindNamed(p.fns, n); }

GameObject* FindObject(Project& project, const std::string& name) {
  for (auto& object : project.objects)
    if (object.prototype == 1 && object.name == name) return &object;
  return nullptr;
}

}  // namespace vorlane
