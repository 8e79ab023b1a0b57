#include "project/autosaver.h"

#include <ctime>

namespace vorlane {

Autosaver::~Autosaver() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void Autosaver::Save(const Project& project) {
  RecoverySnapshot snapshot = TakeRecoverySnapshot(project, std::time(nullptr));
  {
    std::lock_guard lock(mutex_);
    waiting_ = std::move(snapshot);
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  }
  changed_.notify_all();
}

void Autosaver::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_ && !waiting_; });
}

void Autosaver::Remove(const std::string& folder) {
  {
    std::unique_lock lock(mutex_);
    waiting_.reset();
    changed_.wait(lock, [this] { return !busy_; });
    // Pictures remembered as written may be gone now.
    cache_ = RecoveryCache{};
  }
  RemoveRecovery(folder);
}

int Autosaver::written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

std::string Autosaver::last_error() const {
  std::lock_guard lock(mutex_);
  return last_error_;
}

void Autosaver::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || waiting_; });
    if (stopping_) return;
    RecoverySnapshot snapshot = std::move(*waiting_);
    waiting_.reset();
    busy_ = true;
    lock.unlock();
    std::string error;
    const bool ok = WriteRecovery(snapshot, cache_, &error);
    lock.lock();
    busy_ = false;
    if (ok) ++written_;
    last_error_ = ok ? "" : error;
    changed_.notify_all();
  }
}

}  // namespace vorlane
