#include "scene/scene_cards.h"

#include "project/project_file.h"
#include "project/record_fields.h"
#include "project/safe_name.h"
#include "scene/scene_settings.h"

namespace vorlane {

ScenePictures::LoadTileSet TileSetLoader(const Project& project) {
  return [&project](const Background& set) {
    if (!IsPlainFileName(set.file) || project.tempfolder.empty()) return Image();
    return LoadPicture(project.tempfolder + "/" + set.file, PictureLimits{}.max_side, nullptr);
  };
}

std::unordered_map<std::string, std::uint64_t> SceneStamps(const Project& project) {
  std::unordered_map<std::string, std::uint64_t> stamps;
  for (const Scene& scene : project.scenes)
    stamps.try_emplace(scene.name, FoldStored(14695981039346656037ull, scene));
  const auto fold = [&stamps](const std::string& scene, const auto& record) {
    const auto found = stamps.find(scene);
    if (found != stamps.end()) found->second = FoldStored(found->second, record);
  };
  for (const GameObject& o : project.objects)
    if (o.prototype == 0) fold(o.scene, o);
  for (const Tile& tile : project.tiles) fold(tile.scene, tile);
  for (const Layer& layer : project.layers) fold(layer.scene, layer);
  return stamps;
}

void KeepSceneCard(Project& project, const std::string& scene, ImageRef card) {
  project.cards.scenes[scene] = {std::move(card), SceneStamps(project)[scene]};
}

void RedrawStaleSceneCards(Project& project) {
  const auto stamps = SceneStamps(project);
  ScenePictures pictures(TileSetLoader(project));
  for (const Scene& scene : project.scenes) {
    const auto found = project.cards.scenes.find(scene.name);
    if (found == project.cards.scenes.end() || found->second.stamp == 0) continue;
    const std::uint64_t stamp = stamps.at(scene.name);
    if (found->second.stamp == stamp) continue;
    found->second = {ShareImage(SceneCard(project, scene, SceneViewState{}, pictures)), stamp};
  }
}

}  // namespace vorlane
