// Renaming a resource as the property dialogs and the scene editor do on
// "Done": the new name is checked, then every record that refers to the
// resource by name follows it. Dialogs call these; they hold no rules.
#pragma once

#include <functional>
#include <string>

#include "project/model.h"
#include "project/resource_kind.h"

namespace vorlane {

// The record's position in its kind's list (objects: in the one list of
// objects and instances), -1 when there is none with that name.
int ResourceIndex(const Project& project, ResourceKind kind, const std::string& name);
// The number of records in the kind's list, and the name of one of them
// ("" when `index` is out of range).
int ResourceCount(const Project& project, ResourceKind kind);
std::string ResourceName(const Project& project, ResourceKind kind, int index);

// Checks `name` for the record at `index` of its kind: "" when it may be
// used, otherwise the message for the user: "The sprite name is missing",
// "The sprite name 'my sprite' is not a valid name: ..." (it must be a
// JavaScript identifier, see js_name.h), "The sprite name 'x' already exists"
// (another of its kind; an object's name may not be that of any object or
// instance), then, as the name becomes a global of the game
// (reserved_names.h), "The sprite name 'Math' is already used by the
// browser" (or "... by the game engine") and "The sprite name 'x' is already
// used by the scene 'x'". Names are compared exactly, the record itself left
// out.
std::string CheckResourceName(const Project& project, ResourceKind kind, const std::string& name,
                              int index);

// Renames the record at `index` and every reference to its old name:
// - sprite: objects' and instances' `sprite` (with their display image) and
//   the frames' `sprite`;
// - background: scenes' `background` and tiles' `background`;
// - object: scripts' `object`, instances' `template`, objects' `parent`,
//   collision events' `parameter` and scenes' `viewportobject`;
// - scene: the `scene` of its instances, layers and tiles;
// - sound, music, font, function: nothing refers to them by name.
// Then, when a code rename hook is set, hands it the old and new name.
// Does not check the name and does not mark the project modified.
void RenameResource(Project& project, ResourceKind kind, int index, const std::string& new_name);

// What a rename does to the scripts that name the resource is the
// program's to decide (it asks the user, who may keep the code as it is);
// without a hook the scripts stay as they are. The hook runs inside the
// dialog's "Done", so what it changes joins the rename's undo step. Set for
// the life of the guard; guards do not nest.
using CodeRenameHook =
    std::function<void(Project& project, const std::string& old_name, const std::string& new_name)>;
class ScopedCodeRenameHook {
 public:
  explicit ScopedCodeRenameHook(CodeRenameHook hook);
  ~ScopedCodeRenameHook();
  ScopedCodeRenameHook(const ScopedCodeRenameHook&) = delete;
  ScopedCodeRenameHook& operator=(const ScopedCodeRenameHook&) = delete;
};

}  // namespace vorlane
