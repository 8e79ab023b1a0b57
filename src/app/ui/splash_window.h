// The window shown while the engine template is read at start-up.
#pragma once

#include <QWidget>

namespace vorlane {

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  SplashWindow();
  // Shows the window and paints it at once, before the work that follows.
  void ShowNow();
};

}  // namespace vorlane
