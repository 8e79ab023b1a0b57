// The resource property dialogs, one entry point per kind, each given the
// resource's name. Each runs its dialog for every record of that name; the
// caller rebuilds the browser afterwards.
#pragma once

#include <string>

#include "code/keyword_list.h"
#include "gui/preferences.h"
#include "project/model.h"

class QWidget;

namespace vorlane {

// "Object properties"; opens the event code dialog for the object's events.
void EditObject(QWidget* parent, Project& project, Preferences& prefs, const KeywordList& keywords,
                const std::string& name);

}  // namespace vorlane
