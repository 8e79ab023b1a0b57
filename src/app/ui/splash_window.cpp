#include "app/ui/splash_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "app/ui/stock_images.h"
#include "gui/ui/controls.h"
#include "gui/ui/image_view.h"

namespace vorlane {

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setWindowTitle("Please wait...");
  setFixedSize(800, 600);
  MakePicture(this, 0, 0, 800, 600)->SetPicture(StockPixmap("splash"));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::ShowNow() {
  show();
  raise();
  repaint();
  QApplication::processEvents();
}

}  // namespace vorlane
