// The sprite image editor's windows, for the sprite properties dialog: the
// frame editor, the PNG strip export and the strip import.
#pragma once

#include <string>

#include "project/edit_stack.h"
#include "project/model.h"

class QWidget;

namespace vorlane {

// "Edit sprite frames" for the sprite named `sprite` of the history's
// project, each change a step of the history; returns on "Done", the
// sprite's thumbnail rebuilt.
void OpenFrameEditor(QWidget* parent, EditStack& history, const std::string& sprite);

// "Save sprite as PNG strip": asks for a file name and writes the sprite's
// frames side by side into it (".png" appended). False when nothing was
// written (cancelled, no frames, or the file could not be written: then an
// "Error" box says why).
bool SaveSpriteStrip(QWidget* parent, const Project& project, const std::string& sprite);

// "Importing image strips" for project.sprites[sprite_index]: asks for the
// strip, then for columns and rows. True when the frames were replaced.
bool ImportImageStrip(QWidget* parent, Project& project, int sprite_index);

}  // namespace vorlane
