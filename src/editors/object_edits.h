// What the object dialog decides, without a window: its name rule, what
// "Done" stores and ripples, its events, the thumbnail and the size text.
// Event records change at once; the object itself only on "Done".
#pragma once

#include <string>
#include <vector>

#include "gui/image.h"
#include "project/model.h"

namespace vorlane {

// The thumbnail box: a sprite's first frame fitted into it, shape kept.
inline constexpr int kObjectThumbnailSize = 100;

// True when no object record but `except_index` is named `name`; instances
// placed in scenes count, as their names live beside the objects' in the game.
bool IsObjectNameUnique(const Project& project, const std::string& name, int except_index);

// The dialog's fields as the user left them.
struct ObjectFields {
  std::string name;
  std::string sprite;  // "" for none; a name that no longer exists is kept
  int visible = 1;
  std::string depth;  // the field's text: its leading integer is stored
  int collision = 1;
  std::string parent;
};

// "Done" for objects[index]: marks the project modified, then checks the
// name. On a refusal returns the message and changes nothing else.
// Otherwise returns "" after renaming (every reference follows, and every
// instance of the object takes the new depth) and storing the fields
// (instances also take the sprite).
std::string StoreObject(Project& project, int index, const ObjectFields& fields);

// Appends an event to the script list ("scr_" + the next uid, empty code)
// and returns its index.
int AddScript(Project& project, const std::string& object, const std::string& event,
              const std::string& parameter);

// Removes scripts[index], keeping the others in order.
void DeleteEventScript(Project& project, int index);

// An event just added whose code window was cancelled with no code typed is
// taken back, and the modified flag is what it was before it was added.
void TakeBackEmptyEvent(Project& project, int index, int was_modified);

// The indices of the object's scripts as its event list shows them: by
// event kind in the fixed order, then in list order within a kind. Events
// of a kind this program does not know come last, so they stay reachable.
std::vector<int> ObjectEventRows(const Project& project, const std::string& object);

// The parameters an event kind is added with, as stored and listed: keys
// ("Left", "A", "7", "F1", "Any key"), mouse buttons ("Left pressed",
// "Global right released") or alarm numbers; empty for kinds without one
// (Collision takes its partner in the code window).
std::vector<std::string> EventParameters(const std::string& event);

// The 100 x 100 see-through thumbnail with `picture` fitted at its top
// left; null or empty pictures give `placeholder` fitted the same way.
Image ObjectThumbnail(const Image* picture, const Image& placeholder);

// "Size: 32 x 32 px", or "Size: <no sprite>" without a picture.
std::string SpriteSizeText(const Image* picture);

}  // namespace vorlane
