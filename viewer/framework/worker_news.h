// What a worker thread has for its window since the window last took it.
// However much comes before the window takes it goes with one posted
// message, so that a fast worker cannot fill the window's queue.
#pragma once

#include <windows.h>

#include <mutex>
#include <utility>

namespace corvane {

template <typename News>
class WorkerNews {
 public:
  WorkerNews(HWND window, UINT message, WPARAM id) : window_(window), message_(message), id_(id) {}
  WorkerNews(const WorkerNews&) = delete;
  WorkerNews& operator=(const WorkerNews&) = delete;

  // The worker changes the news; unless `post` is false, the window hears
  // of it if no message is on its way yet.
  template <typename Change>
  void Update(Change&& change, bool post = true) {
    std::lock_guard<std::mutex> guard(lock_);
    std::forward<Change>(change)(news_);
    if (post && !posted_) posted_ = PostMessageA(window_, message_, id_, 0) != FALSE;
  }

  // The window takes the news through `take`, which returns what it takes
  // and leaves what the next news builds on.
  template <typename TakeNews>
  auto Take(TakeNews&& take) {
    std::lock_guard<std::mutex> guard(lock_);
    posted_ = false;
    return std::forward<TakeNews>(take)(news_);
  }

 private:
  const HWND window_;
  const UINT message_;
  const WPARAM id_;
  std::mutex lock_;
  News news_;            // under lock_
  bool posted_ = false;  // under lock_: a message is on its way
};

}  // namespace corvane
