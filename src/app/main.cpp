// Entry point of the desktop program. Until the main window exists this
// shows a placeholder window.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel window("Vorlane v1.2.9");
  window.setWindowTitle("Vorlane v1.2.9");
  window.setAlignment(Qt::AlignCenter);
  window.resize(800, 600);
  window.show();
  return app.exec();
}
