// Shown until the main window exists.
#pragma once

class QWidget;

namespace vorlane {
QWidget* MakePlaceholderWindow();
}
