#include "app/browser_actions.h"

#include <utility>

namespace vorlane {
namespace {

PopupEntry Do(PopupAction action, const char* text) { return {false, action, text}; }
PopupEntry Line() { return {true, PopupAction::Edit, ""}; }

int SceneIndex(const Project& project, const std::string& name) {
  for (size_t i = 0; i < project.scenes.size(); ++i)
    if (project.scenes[i].name == name) return static_cast<int>(i);
  return -1;
}

}  // namespace

PopupKind PopupOf(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Sprite: return PopupKind::Sprite;
    case ResourceKind::Sound: return PopupKind::Sound;
    case ResourceKind::Music: return PopupKind::Music;
    case ResourceKind::Background: return PopupKind::Background;
    case ResourceKind::Font: return PopupKind::Font;
    case ResourceKind::Object: return PopupKind::Object;
    case ResourceKind::Scene: return PopupKind::Scene;
    case ResourceKind::Function: return PopupKind::Function;
  }
  return PopupKind::Sprite;
}

const std::vector<PopupEntry>& PopupItems(PopupKind popup) {
  using A = PopupAction;
  static const std::vector<PopupEntry> event = {Do(A::Edit, "Edit"), Line(),
                                                Do(A::Delete, "Delete")};
  static const std::vector<PopupEntry> plain = {Do(A::Edit, "Edit"), Do(A::FindUses, "Find uses"),
                                                Line(), Do(A::Delete, "Delete")};
  static const std::vector<PopupEntry> object = {Do(A::Edit, "Edit"),
                                                 Do(A::FindUses, "Find uses"),
                                                 Line(),
                                                 Do(A::Duplicate, "Duplicate"),
                                                 Line(),
                                                 Do(A::Delete, "Delete")};
  static const std::vector<PopupEntry> scene = {Do(A::Edit, "Edit"),
                                                Do(A::FindUses, "Find uses"),
                                                Line(),
                                                Do(A::Delete, "Delete"),
                                                Line(),
                                                Do(A::MoveBackward, "Move backward"),
                                                Do(A::MoveForward, "Move forward")};
  switch (popup) {
    case PopupKind::Object: return object;
    case PopupKind::Scene: return scene;
    case PopupKind::Event: return event;
    default: return plain;
  }
}

bool MoveSceneBackward(Project& project, const std::string& name) {
  const int i = SceneIndex(project, name);
  if (i <= 0) return false;
  std::swap(project.scenes[i], project.scenes[i - 1]);
  return true;
}

bool MoveSceneForward(Project& project, const std::string& name) {
  const int i = SceneIndex(project, name);
  if (i < 0 || i + 1 >= static_cast<int>(project.scenes.size())) return false;
  std::swap(project.scenes[i], project.scenes[i + 1]);
  return true;
}

bool ApplyPopupAction(Project& project, ResourceKind kind, PopupAction action,
                      const std::string& name) {
  bool changed = false;
  switch (action) {
    case PopupAction::Edit:
    case PopupAction::FindUses: break;
    case PopupAction::Delete:
      DeleteResource(project, kind, name);
      changed = true;
      break;
    case PopupAction::Duplicate:
      if (kind != ResourceKind::Object) break;
      DuplicateObject(project, name);
      changed = true;
      break;
    case PopupAction::MoveBackward:
      changed = kind == ResourceKind::Scene && MoveSceneBackward(project, name);
      break;
    case PopupAction::MoveForward:
      changed = kind == ResourceKind::Scene && MoveSceneForward(project, name);
      break;
  }
  if (changed) SetModified(project, 1);
  return changed;
}

std::string PopupStepText(PopupAction action, ResourceKind kind, const std::string& name) {
  const std::string what = std::string(KindWord(kind)) + " " + name;
  switch (action) {
    case PopupAction::Edit: return "Edit " + what;
    case PopupAction::FindUses: return "Find uses of " + what;
    case PopupAction::Delete: return "Delete " + what;
    case PopupAction::Duplicate: return "Duplicate " + what;
    case PopupAction::MoveBackward: return "Move " + what + " backward";
    case PopupAction::MoveForward: return "Move " + what + " forward";
  }
  return what;
}

}  // namespace vorlane
