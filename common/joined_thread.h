// The one kind of thread our programs make: its owner asks it to stop and
// joins it when the owner goes, so that no thread outlives what it works
// on.  No exception leaves the thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "common/unique_handle.h"

namespace corvane {

// What a thread's work checks: set once its owner asked it to stop.
class StopRequest {
 public:
  bool Requested() const { return requested_; }
  // For work that takes a cancel flag.
  const std::atomic<bool>& Flag() const { return requested_; }
  // Set with the flag, for work that waits on handles.
  HANDLE Event() const { return event_.Get(); }

 private:
  friend class JoinedThread;
  std::atomic<bool> requested_{false};
  KernelHandle event_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

class JoinedThread {
 public:
  using Work = std::function<void(const StopRequest&)>;

  JoinedThread() = default;
  // Runs `work` on a thread of its own.  `wake`, called on Stop, wakes the
  // work from waits of its own (a condition, a gate).  When no thread
  // could be made, Started is false and nothing runs.
  explicit JoinedThread(Work work, std::function<void()> wake = {});
  JoinedThread(JoinedThread&& other) noexcept = default;
  // Stops and joins the thread held first.
  JoinedThread& operator=(JoinedThread&& other) noexcept;
  JoinedThread(const JoinedThread&) = delete;
  JoinedThread& operator=(const JoinedThread&) = delete;
  ~JoinedThread() { Stop(); }

  bool Started() const { return thread_.joinable(); }

  // Asks the work to stop and waits until it has.
  void Stop() noexcept;

 private:
  struct Shared {
    StopRequest stop;
    std::function<void()> wake;
  };
  std::shared_ptr<Shared> shared_;  // the thread's too
  std::thread thread_;
};

}  // namespace corvane
