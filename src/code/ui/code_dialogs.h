// The entry points of the code dialogs, for the main window, the object
// editor and the scene editor. Each runs modally and returns whether OK was
// pressed.
#pragma once

#include "code/ui/event_code_dialog.h"
#include "code/ui/game_comments_dialog.h"
#include "code/ui/global_code_dialog.h"
#include "code/ui/scene_code_dialog.h"
