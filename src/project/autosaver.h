// Writes recovery files on a worker thread: the interface only takes the
// snapshot, so a slow disk never holds it up. At most one write runs at a
// time; a snapshot handed in meanwhile replaces any still waiting.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "project/recovery.h"

namespace vorlane {

// How often the main window writes the recovery file of a modified project.
inline constexpr int kAutosaveMilliseconds = 60 * 1000;

class Autosaver {
 public:
  Autosaver() = default;
  ~Autosaver();  // waits for the write in progress
  Autosaver(const Autosaver&) = delete;
  Autosaver& operator=(const Autosaver&) = delete;

  // Takes a snapshot of `project` now and writes it in the background.
  void Save(const Project& project);
  // Returns once nothing is being written or waiting to be.
  void Wait();
  // Waits, then deletes the recovery file in `folder` (after a save, New,
  // Open, or on leaving).
  void Remove(const std::string& folder);

  // The number of recovery files written, and the last failure ("" after a
  // success).
  int written() const;
  std::string last_error() const;

 private:
  void Work();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<RecoverySnapshot> waiting_;
  bool busy_ = false;
  bool stopping_ = false;
  int written_ = 0;
  std::string last_error_;
  RecoveryCache cache_;  // the worker's alone
  std::thread worker_;
};

}  // namespace vorlane
