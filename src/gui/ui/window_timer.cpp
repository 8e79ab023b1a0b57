#include "gui/ui/window_timer.h"

namespace vorlane {

WindowTimer::WindowTimer(QObject* window, int interval_ms, std::function<void()> tick)
    : timer_(new QTimer(window)) {
  timer_->setInterval(interval_ms);
  QObject::connect(timer_.data(), &QTimer::timeout, timer_.data(), std::move(tick));
}

WindowTimer::~WindowTimer() { delete timer_.data(); }

void WindowTimer::Start() {
  if (timer_) timer_->start();
}
void WindowTimer::Stop() {
  if (timer_) timer_->stop();
}
bool WindowTimer::running() const { return timer_ && timer_->isActive(); }

void AfterDelay(QObject* window, int delay_ms, std::function<void()> work) {
  QTimer::singleShot(delay_ms, window, std::move(work));
}

}  // namespace vorlane
