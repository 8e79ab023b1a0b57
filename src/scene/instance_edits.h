// What the scene editor does to the instances of a scene, without a window:
// placing, hit testing, selecting, moving, removing. Each function changes
// the project directly; the editor wraps each user action in an undo step.
// `selected` is never stored, so selecting alone changes nothing saved.
#pragma once

#include <string>
#include <vector>

#include "project/model.h"

namespace vorlane {

// The marker standing for an instance without a picture: 15 x 15, centred
// on the instance's position.
inline constexpr int kMarkerSize = 15;
inline constexpr int kMarkerHalf = 7;

bool IsInstanceOf(const GameObject& record, const std::string& scene);

// Appends an instance of the object resource `object` at (x, y): named
// "SceneObject" + the next uid, with the object's sprite, its first frame
// as picture and the object's depth. Returns its index, or -1 when there is
// no such object.
int PlaceInstance(Project& project, const std::string& scene, const std::string& object, int x,
                  int y);

// The instances of the scene under (x, y), in list order: the box of any
// frame of the instance's sprite placed at its origin, bounds included, or
// the marker's box for an instance without a picture. Rotation is ignored.
std::vector<int> HitInstances(const Project& project, const std::string& scene, int x, int y);

// A click of the select tool: each hit instance with a picture toggles its
// selection; the first hit one without a picture toggles and ends the scan.
void SelectInstancesAt(Project& project, const std::string& scene, int x, int y);

// A click of the remove tool: every hit instance goes. Returns how many.
int RemoveInstancesAt(Project& project, const std::string& scene, int x, int y);

// Clears the selection of every instance of every scene.
void ClearInstanceSelection(Project& project);

// The selected instances of the scene, by name.
std::vector<std::string> SelectedInstances(const Project& project, const std::string& scene);
// The first selected instance of the scene in list order, -1 for none.
int FirstSelectedInstance(const Project& project, const std::string& scene);

void MoveSelectedInstances(Project& project, const std::string& scene, int dx, int dy);
void ShiftInstances(Project& project, const std::string& scene, int dx, int dy);

// Deletes the named instances (with anything made from or keyed by their
// names, as deleting an object does), in one pass over the lists.
void DeleteInstances(Project& project, const std::vector<std::string>& names);
void DeleteAllInstances(Project& project, const std::string& scene);

// The picture an instance is shown with: its image turned by its image
// angle (smoothed, white around it), or the image itself when unturned.
void RebuildDisplayImage(GameObject& instance);
void RebuildDisplayImages(Project& project);

// "[obj_player] x:32 y:64": the status line for a selected instance.
std::string InstanceStatus(const GameObject& instance);

// The instance properties dialog's OK: each text's leading integer (0 for
// none) becomes x, y, direction and image angle; the display image follows
// the angle and the project is marked modified.
void StoreInstanceProperties(Project& project, int index, const std::string& x,
                             const std::string& y, const std::string& direction,
                             const std::string& image_angle);

}  // namespace vorlane
