// A modal window for long work done on a worker thread, so that the
// program's windows keep painting meanwhile: a line saying what is done, a
// progress bar and "Cancel". The work starts when the window is shown and
// the window closes once it has returned. Cancel, Escape and the close
// button ask the work to stop and the window waits for it, so nothing the
// work does outlives the window. The result is Rejected when the work was
// told to stop or never ran, Accepted otherwise.
#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

class QProgressBar;
class QPushButton;

namespace vorlane {

class ProgressWindow : public QDialog {
 public:
  // Runs on the worker thread. It calls `go_on` with the share done (0 to
  // 1) as it goes, and stops soon after that answers false.
  using GoOn = std::function<bool(double done)>;
  using Work = std::function<void(const GoOn& go_on)>;

  ProgressWindow(QWidget* parent, const std::string& title, const std::string& text, Work work);
  ~ProgressWindow() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  bool Report(double done);
  void Finished();

  Work work_;
  std::thread worker_;
  bool started_ = false;
  std::atomic<bool> stop_{false};  // asked for by the user
  std::atomic<bool> told_{false};  // passed on to the work
  std::atomic<int> percent_{-1};   // the last share posted to the bar
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vorlane
