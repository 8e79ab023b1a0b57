// A repeating timer owned by a window: it stops when the window goes, so a
// tick never reaches a closed dialog.
#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>

namespace vorlane {

class WindowTimer {
 public:
  WindowTimer(QObject* window, int interval_ms, std::function<void()> tick);
  ~WindowTimer();
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;

  void Start();
  void Stop();
  bool running() const;

 private:
  QPointer<QTimer> timer_;  // the window may delete it first
};

// Runs `work` once after `delay_ms` unless `window` is gone by then.
void AfterDelay(QObject* window, int delay_ms, std::function<void()> work);

}  // namespace vorlane
