// The scene editor's small tool pictures, drawn rather than shipped so that
// they follow the palette's text colour.
#pragma once

#include <QIcon>

namespace vorlane {

enum class SceneIcon { Grid, Snap, Shift, Place, Select, Remove, Undo, Redo, New };

QIcon MakeSceneIcon(SceneIcon icon, const QColor& ink);

}  // namespace vorlane
