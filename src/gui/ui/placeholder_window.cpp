#include "gui/ui/placeholder_window.h"

#include <QLabel>

namespace vorlane {

QWidget* MakePlaceholderWindow() {
  auto* window = new QLabel("Vorlane v1.2.9");
  window->setWindowTitle("Vorlane v1.2.9");
  window->setAlignment(Qt::AlignCenter);
  window->resize(800, 600);
  return window;
}

}  // namespace vorlane
