// Entry point of the desktop program.
#include <QApplication>
#include <QWidget>

#include "gui/ui/placeholder_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget* window = vorlane::MakePlaceholderWindow();
  window->show();
  const int result = app.exec();
  delete window;
  return result;
}
