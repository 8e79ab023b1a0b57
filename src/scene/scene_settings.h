// What the scene editor's "Done" checks and stores, and the pictures it
// makes of the scene, without a window.
#pragma once

#include <string>
#include <vector>

#include "gui/image.h"
#include "project/model.h"
#include "scene/scene_view.h"

namespace vorlane {

// The settings fields as the user left them. The scene size, colour,
// background and its flags reach the scene as they change; these wait for
// "Done".
struct SceneFields {
  std::string name;
  std::string width, height;
  std::string viewport_width, viewport_height;
  std::string follow;  // "Object to follow"
  std::string margin_x, margin_y;
  std::string speed;
  std::string background;
};

// "Done" for scenes[index]: marks the project modified, then checks the
// name (a good one is stored at once, with every instance, layer and tile of
// the scene following it) and the speed (more than 1; a good one is stored
// at once). Returns the messages of both checks; only when there are none
// are the other fields stored.
std::vector<std::string> StoreSceneSettings(Project& project, int index, const SceneFields& fields);

// The scene as drawn in the editor, without grid, ghost or selection boxes,
// scaled to fit `box_width` x `box_height` with its shape kept and placed at
// the top left of a see-through image of that size. A very large scene is
// sampled rather than drawn whole.
Image ScenePicture(const Project& project, const Scene& scene, const SceneViewState& state,
                   ScenePictures& pictures, int box_width, int box_height);

// The browser card of a scene: the stock card with the scene fitted into
// an 80 x 80 box at (35, 10).
Image SceneCard(const Project& project, const Scene& scene, const SceneViewState& state,
                ScenePictures& pictures);

// The project picture shown when opening projects: the scene fitted into
// 240 x 240 over black.
Image ProjectPicture(const Project& project, const Scene& scene, const SceneViewState& state,
                     ScenePictures& pictures);

}  // namespace vorlane
