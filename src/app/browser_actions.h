// What the browser's popup menus offer and do: Edit, Find uses, Delete (after a
// question), Duplicate for objects, and moving a scene in the scene order,
// which decides the game's start scene.
#pragma once

#include <string>
#include <vector>

#include "app/browser_model.h"
#include "project/model.h"
#include "project/resource_kind.h"

namespace vorlane {

// The popup menus made at start-up: one per browser kind, and the object
// dialog's event list.
enum class PopupKind { Sprite, Background, Font, Object, Sound, Music, Scene, Function, Event };

enum class PopupAction { Edit, FindUses, Delete, Duplicate, MoveBackward, MoveForward };

struct PopupEntry {
  bool separator = false;
  PopupAction action = PopupAction::Edit;
  std::string text;
};

PopupKind PopupOf(ResourceKind kind);
const std::vector<PopupEntry>& PopupItems(PopupKind popup);

// Swap the first scene named `name` with its neighbour. False, changing
// nothing, when there is no such scene or it is already first (last).
bool MoveSceneBackward(Project& project, const std::string& name);
bool MoveSceneForward(Project& project, const std::string& name);

// Delete (once agreed), Duplicate and the scene moves on the resource
// `name`. Each change marks the project modified, so New and Open ask before
// dropping it. False when nothing changed; Edit and Find uses are left to
// the window.
bool ApplyPopupAction(Project& project, ResourceKind kind, PopupAction action,
                      const std::string& name);

// What the Edit menu calls the step an action on the resource `name` makes:
// "Delete sprite spr_gem", "Move scene rm_hall backward", "Edit font fnt_hud".
std::string PopupStepText(PopupAction action, ResourceKind kind, const std::string& name);

}  // namespace vorlane
