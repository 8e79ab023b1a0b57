// What the scene editor does to the instances of a scene, without a window:
// placing, hit testing, selecting, moving, removing. Each function changes
// the project directly; the editor wraps each user action in an undo step.
// The selection is the editor's own: the names of the selected instances,
// which are unique (made from the project's uid) and survive undo, so
// selecting changes nothing in the project.
#pragma once

#include <string>
#include <unordered_set>
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
// and the object's depth. Returns its index, or -1 when there is no such
// object.
int PlaceInstance(Project& project, const std::string& scene, const std::string& object, int x,
                  int y);

// The instances of the scene under (x, y), in list order: the box of any
// frame of the instance's sprite placed at its origin, bounds included, or
// the marker's box for an instance without a picture. Rotation is ignored.
std::vector<int> HitInstances(const Project& project, const std::string& scene, int x, int y);

// A click of the select tool: each hit instance with a picture toggles its
// selection in `selected`; the first hit one without a picture toggles and
// ends the scan.
void SelectInstancesAt(const Project& project, const std::string& scene, int x, int y,
                       std::unordered_set<std::string>& selected);

// A click of the remove tool: every hit instance goes. Returns how many.
int RemoveInstancesAt(Project& project, const std::string& scene, int x, int y);

// The instances of the scene named in `selected`, in list order.
std::vector<std::string> SelectedInstances(const Project& project, const std::string& scene,
                                           const std::unordered_set<std::string>& selected);
// The first of them, -1 for none.
int FirstSelectedInstance(const Project& project, const std::string& scene,
                          const std::unordered_set<std::string>& selected);

void MoveSelectedInstances(Project& project, const std::string& scene,
                           const std::unordered_set<std::string>& selected, int dx, int dy);
void ShiftInstances(Project& project, const std::string& scene, int dx, int dy);

// Deletes the named instances (with anything made from or keyed by their
// names, as deleting an object does), in one pass over the lists.
void DeleteInstances(Project& project, const std::vector<std::string>& names);
void DeleteAllInstances(Project& project, const std::string& scene);

// "[obj_player] x:32 y:64": the status line for a selected instance.
std::string InstanceStatus(const GameObject& instance);

// The instance properties dialog's OK: each text's leading integer (0 for
// none) becomes x, y, direction and image angle, and the project is marked
// modified.
void StoreInstanceProperties(Project& project, int index, const std::string& x,
                             const std::string& y, const std::string& direction,
                             const std::string& image_angle);

}  // namespace vorlane
