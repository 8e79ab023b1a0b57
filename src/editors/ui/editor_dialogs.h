// The resource property dialogs, one entry point per kind, each given the
// resource's name. Each runs its dialog for every record of that name; the
// caller rebuilds the browser afterwards.
#pragma once

#include <string>

#include "code/keyword_list.h"
#include "generate/script_place.h"
#include "gui/preferences.h"
#include "project/edit_stack.h"
#include "project/model.h"

class QWidget;

namespace vorlane {

// "Object properties"; opens the event code dialog for the object's events.
void EditObject(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                const std::string& name);

// "Sprite properties": the animated preview, origin and collision shape;
// opens the frame editor and the strip import.
void EditSprite(QWidget* parent, EditStack& history, const std::string& name);

// "Sound properties" and "Music properties": up to three source files each.
void EditSound(QWidget* parent, Project& project, const std::string& name);
void EditMusic(QWidget* parent, Project& project, const std::string& name);

// "Background properties": the picture, shown with its tile grid.
void EditBackground(QWidget* parent, Project& project, const std::string& name);

// "Font properties".
void EditFont(QWidget* parent, Project& project, const std::string& name);

// "Function properties": name, parameters and code in the script editor;
// with `line` > 0 it opens at that line of the code.
void EditFunction(QWidget* parent, Project& project, Preferences& prefs,
                  const KeywordList& keywords, const std::string& name, CodeSpot spot = {});

}  // namespace vorlane
