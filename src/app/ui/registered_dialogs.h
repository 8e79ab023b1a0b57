// The one place where the windows of the other parts of the program are
// registered with the main window.
#pragma once

namespace vorlane {

class MainWindow;

void RegisterDialogs(MainWindow& window);

}  // namespace vorlane
