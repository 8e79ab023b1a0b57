// The tile layers of a scene as the scene editor edits them. A layer is a
// depth value; a tile belongs to the layer of its scene whose value equals
// its depth, so changing or deleting a layer carries its tiles along.
// Every scene keeps at least one layer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The values of the layers of `scene` in list order, as the layer list
// shows them.
std::vector<int> LayerValues(const Project& project, const std::string& scene);

// The layer a list entry or typed text names: its leading integer, 0 when
// it is not a number.
int LayerValue(std::string_view text);

// The message of the "Error" box when a scene already has a layer of the
// value the user asks for.
inline constexpr char kDepthExists[] = "Depth already exists";

// Adds a layer of the value `text` names to `scene`. Returns "" on success,
// or kDepthExists (and adds nothing) when the scene has a layer of that
// value.
std::string AddSceneLayer(Project& project, const std::string& scene, std::string_view text);

// Deletes the layers of `scene` whose value is `current`, with their tiles.
// A scene left without layers gets a new one of the default value.
void DeleteSceneLayer(Project& project, const std::string& scene, int current);

// Gives the first layer of `scene` whose value is `current` the value `text`
// names, and its tiles that depth. When another layer of the scene already
// had that value the two merge: the later of them in the list is deleted,
// and the tiles of both stay on the one left. False (nothing changed) when
// the scene has no layer of value `current`.
bool ChangeSceneLayer(Project& project, const std::string& scene, int current,
                      std::string_view text);

// Whether the layer of `scene` of value `value` is solid: the game's
// instances then collide with its tiles.
bool LayerSolid(const Project& project, const std::string& scene, int value);
void SetLayerSolid(Project& project, const std::string& scene, int value, bool solid);

}  // namespace vorlane
