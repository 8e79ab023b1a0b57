#include "project/resource_kind.h"

namespace vorlane {

const char* KindWord(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Sprite: return "sprite";
    case ResourceKind::Sound: return "sound";
    case ResourceKind::Music: return "music";
    case ResourceKind::Background: return "background";
    case ResourceKind::Font: return "font";
    case ResourceKind::Object: return "object";
    case ResourceKind::Scene: return "scene";
    case ResourceKind::Function: return "function";
  }
  return "";
}

std::string NewResource(Project& project, ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Sprite: return NewSprite(project);
    case ResourceKind::Sound: return NewSound(project);
    case ResourceKind::Music: return NewMusic(project);
    case ResourceKind::Background: return NewBackground(project);
    case ResourceKind::Font: return NewFont(project);
    case ResourceKind::Object: return NewObject(project);
    case ResourceKind::Scene: return NewScene(project);
    case ResourceKind::Function: return NewFunction(project);
  }
  return "";
}

void DeleteResource(Project& project, ResourceKind kind, const std::string& name) {
  switch (kind) {
    case ResourceKind::Sprite: DeleteSprite(project, name); break;
    case ResourceKind::Sound: DeleteSound(project, name); break;
    case ResourceKind::Music: DeleteMusic(project, name); break;
    case ResourceKind::Background: DeleteBackground(project, name); break;
    case ResourceKind::Font: DeleteFont(project, name); break;
    case ResourceKind::Object: DeleteObject(project, name); break;
    case ResourceKind::Scene: DeleteScene(project, name); break;
    case ResourceKind::Function: DeleteFunction(project, name); break;
  }
}

std::string DeleteQuestion(ResourceKind kind) {
  return std::string("Do you really want to delete this ") + KindWord(kind) + "?";
}

}  // namespace vorlane
