// The eight kinds of named resources a user makes, edits and deletes, and
// what every kind offers in the same way: making a new one, deleting one
// and the words the dialogs use for it.
#pragma once

#include <string>

#include "project/model.h"

namespace vorlane {

// In the order of the browser's tabs.
enum class ResourceKind { Sprite, Sound, Music, Background, Font, Object, Scene, Function };

inline constexpr ResourceKind kResourceKinds[] = {
    ResourceKind::Sprite, ResourceKind::Sound,  ResourceKind::Music, ResourceKind::Background,
    ResourceKind::Font,   ResourceKind::Object, ResourceKind::Scene, ResourceKind::Function};

// "sprite", "sound", ...: the kind's word in questions and messages.
const char* KindWord(ResourceKind kind);

// NewSprite, NewSound ... by kind; returns the new record's name.
std::string NewResource(Project& project, ResourceKind kind);
// DeleteSprite, DeleteSound ... by kind.
void DeleteResource(Project& project, ResourceKind kind, const std::string& name);

// "Do you really want to delete this sprite?" and so on.
std::string DeleteQuestion(ResourceKind kind);

}  // namespace vorlane
