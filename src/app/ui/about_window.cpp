#include "app/ui/about_window.h"

#include <QCloseEvent>
#include <QLabel>

#include "app/app_text.h"
#include "app/ui/stock_images.h"
#include "gui/ui/controls.h"
#include "gui/ui/image_view.h"
#include "project/model.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Q(AboutTitle(kVersion)));
  setFixedSize(500, 350);
  picture_ = MakePicture(this, 0, 0, 500, 350);
  picture_->SetPicture(StockPixmap("about_picture"));
  picture_->setCursor(Qt::PointingHandCursor);
  version_ = MakeLabel(this, Q(AboutVersionLine(kVersion)), 380, 122, 80, 18);
  version_->setStyleSheet("QLabel { color: white; background: black; }");
  // Clicks on the text count as clicks on the picture.
  version_->setAttribute(Qt::WA_TransparentForMouseEvents);
  connect(picture_, &PictureControl::Clicked, this, [this] { done(Accepted); });
}

void AboutWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace vorlane
