#include "gui/deferred_delete.h"

#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vorlane {
namespace {

class Deleter {
 public:
  ~Deleter() {
    if (::getpid() != owner_) return;
    {
      const std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
  }

  void Add(std::vector<std::string> paths) {
    // A forked child has none of this process's threads, and perhaps a
    // lock taken by one of them: it deletes at once.
    if (::getpid() != owner_) {
      for (const auto& path : paths) ::unlink(path.c_str());
      return;
    }
    {
      const std::lock_guard lock(mutex_);
      for (auto& path : paths) queue_.push_back(std::move(path));
      if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_all();
  }

  void Finish() {
    if (::getpid() != owner_) return;
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return queue_.empty() && busy_ == 0; });
  }

 private:
  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) return;  // stopping, with nothing left
      const std::string path = std::move(queue_.front());
      queue_.pop_front();
      ++busy_;
      lock.unlock();
      ::unlink(path.c_str());  // a file already gone needs nothing more
      lock.lock();
      --busy_;
      if (queue_.empty()) done_.notify_all();
    }
  }

  const pid_t owner_ = ::getpid();
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::deque<std::string> queue_;
  int busy_ = 0;
  bool stopping_ = false;
  std::thread thread_;
};

Deleter& TheDeleter() {
  static Deleter deleter;
  return deleter;
}

}  // namespace

void DeleteLater(std::vector<std::string> paths) {
  if (!paths.empty()) TheDeleter().Add(std::move(paths));
}

void FinishDeletes() { TheDeleter().Finish(); }

}  // namespace vorlane
