#include "gui/ui/progress_window.h"

#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "gui/ui/controls.h"
#include "gui/ui/qt_text.h"

namespace vorlane {

ProgressWindow::ProgressWindow(QWidget* parent, const std::string& title, const std::string& text,
                               Work work)
    : QDialog(parent), work_(std::move(work)) {
  setWindowTitle(Q(title));
  setFixedSize(400, 110);
  MakeLabel(this, Q(text), 10, 10, 380, 25);
  bar_ = new QProgressBar(this);
  bar_->setGeometry(10, 40, 380, 20);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  cancel_ = MakeButton(this, "Cancel", 290, 75, 100, 25);
  connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::reject);
}

ProgressWindow::~ProgressWindow() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  worker_ = std::thread([this] {
    work_([this](double done) { return Report(done); });
    QMetaObject::invokeMethod(
        this, [this] { Finished(); }, Qt::QueuedConnection);
  });
}

void ProgressWindow::reject() {
  if (!worker_.joinable()) {
    QDialog::reject();
    return;
  }
  // The window closes when the work has stopped.
  stop_ = true;
  cancel_->setEnabled(false);
}

// The bar is moved on the interface thread, once per percent.
bool ProgressWindow::Report(double done) {
  const int percent = static_cast<int>(std::clamp(done, 0.0, 1.0) * 100);
  if (percent_.exchange(percent) != percent)
    QMetaObject::invokeMethod(
        this, [this, percent] { bar_->setValue(percent); }, Qt::QueuedConnection);
  if (!stop_) return true;
  told_ = true;
  return false;
}

void ProgressWindow::Finished() {
  worker_.join();
  done(told_ ? Rejected : Accepted);
}

}  // namespace vorlane
