// The browser cards of scenes: drawn by the scene editor on "Done", and
// drawn again when an undo or redo made one stale.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "project/model.h"
#include "scene/scene_pictures.h"

namespace vorlane {

// Reads a background's picture from the project's working folder.
ScenePictures::LoadTileSet TileSetLoader(const Project& project);

// A stamp of what each scene's card shows, by scene name: the scene's
// stored fields and those of its instances, tiles and layers.
std::unordered_map<std::string, std::uint64_t> SceneStamps(const Project& project);

// Keeps `card` as the card of the scene named `scene`, stamped with what
// the scene holds now.
void KeepSceneCard(Project& project, const std::string& scene, ImageRef card);

// Draws again every card drawn for a scene that has changed since (the
// stock cards of scenes never edited stay).
void RedrawStaleSceneCards(Project& project);

}  // namespace vorlane
