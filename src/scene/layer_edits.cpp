#include "scene/layer_edits.h"

#include <algorithm>

#include "gui/number_text.h"

namespace vorlane {

std::vector<int> LayerValues(const Project& project, const std::string& scene) {
  std::vector<int> values;
  for (const auto& layer : project.layers)
    if (layer.scene == scene) values.push_back(layer.value);
  return values;
}

int LayerValue(std::string_view text) { return LeadingInt(text); }

std::string AddSceneLayer(Project& project, const std::string& scene, std::string_view text) {
  const int value = LayerValue(text);
  for (const auto& layer : project.layers)
    if (layer.scene == scene && layer.value == value) return kDepthExists;
  Layer layer;
  layer.name = "layer_" + std::to_string(NextUID(project));
  layer.value = value;
  layer.scene = scene;
  project.layers.push_back(std::move(layer));
  return "";
}

void DeleteSceneLayer(Project& project, const std::string& scene, int current) {
  std::erase_if(project.layers,
                [&](const Layer& l) { return l.scene == scene && l.value == current; });
  std::erase_if(project.tiles,
                [&](const Tile& t) { return t.scene == scene && t.depth == current; });
  const bool left = std::any_of(project.layers.begin(), project.layers.end(),
                                [&](const Layer& l) { return l.scene == scene; });
  if (!left) NewLayer(project, scene);
}

bool ChangeSceneLayer(Project& project, const std::string& scene, int current,
                      std::string_view text) {
  const int value = LayerValue(text);
  auto& layers = project.layers;
  const auto first = std::find_if(layers.begin(), layers.end(), [&](const Layer& l) {
    return l.scene == scene && l.value == current;
  });
  if (first == layers.end()) return false;
  first->value = value;
  for (auto& tile : project.tiles)
    if (tile.scene == scene && tile.depth == current) tile.depth = value;
  // Two layers of one value are one layer: the later one goes.
  int sharing = 0;
  auto last = layers.end();
  for (auto it = layers.begin(); it != layers.end(); ++it) {
    if (it->scene == scene && it->value == value) {
      ++sharing;
      last = it;
    }
  }
  if (sharing >= 2) layers.erase(last);
  return true;
}

bool LayerSolid(const Project& project, const std::string& scene, int value) {
  return std::any_of(project.layers.begin(), project.layers.end(), [&](const Layer& l) {
    return l.scene == scene && l.value == value && l.solid;
  });
}

void SetLayerSolid(Project& project, const std::string& scene, int value, bool solid) {
  for (Layer& l : project.layers)
    if (l.scene == scene && l.value == value) l.solid = solid ? 1 : 0;
}

}  // namespace vorlane
