// Lets the search window hold a running search's threads while it shows new
// rows.  The reader and the matcher keep every core busy, and Wine does not
// lower their priority as Windows does, so the window's drawing would share
// a core with them and take two or three times as long.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace corvane {

class SearchGate {
 public:
  void Hold();
  void Release();
  // The search's threads, before each file: waits while the window holds.
  void Pass();

 private:
  std::atomic<bool> held_{false};
  std::mutex lock_;
  std::condition_variable released_;
};

}  // namespace corvane
