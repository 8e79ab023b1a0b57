// The scene editor's small tool pictures, drawn rather than shipped so that
// they follow the palette's text colour.
#pragma once

#include <QIcon>

class QComboBox;
class QWidget;

namespace vorlane {

enum class SceneIcon { Grid, Snap, Shift, Place, Select, Remove, Undo, Redo, New };

QIcon MakeSceneIcon(SceneIcon icon, const QColor& ink);

// The "Action" list of a tab: place, select and remove, with their icons,
// labelled "Place " + `things` and so on.
QComboBox* MakeActionList(QWidget* parent, const QString& things, int x, int y, int width);

}  // namespace vorlane
