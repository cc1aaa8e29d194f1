// Follows every change below a history folder (ReadDirectoryChangesW over
// the whole tree) and makes the day listing forget the folders each change
// touched.  A day file that is written keeps its folder's write time, so
// without the watch a kept listing could hold a day file's old size and
// write time, and the search index would trust its old text.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "viewer/days/day_listing.h"

namespace corvane {

class DayWatch {
 public:
  // Starts watching on a thread of its own, which calls `changed` after
  // each batch of changes it has passed on to `listing`.
  DayWatch(std::string historyFolder, std::shared_ptr<DayListing> listing,
           std::function<void()> changed);
  // Stops at once.
  ~DayWatch();
  DayWatch(const DayWatch&) = delete;
  DayWatch& operator=(const DayWatch&) = delete;

  // Waits until the watch runs or cannot; whether it runs.  While it runs,
  // the listing's sizes and write times are those of the files, up to the
  // changes Settle waits for.
  bool WaitActive();
  bool Active() const { return active_; }

  // Waits, a few milliseconds at most, while the system has reported
  // changes that have not reached the listing yet: a search started just
  // after a history write sees it.
  void Settle() const;

  // Lets go of the history folder until Resume, and returns once it has:
  // Wine watches a tree by holding every folder in it, and a folder held so
  // cannot be removed.  The listing forgets everything meanwhile and when
  // the watch begins again, as it cannot follow the changes in between.
  void Pause();
  void Resume();

 private:
  void Run();
  bool WaitWhilePaused();
  void Watch(HANDLE folder);
  void PassOn(const char* records, DWORD bytes);
  void Forget(const std::wstring& relative, DWORD action);

  const std::string root_;
  const std::shared_ptr<DayListing> listing_;
  const std::function<void()> changed_;
  HANDLE stop_ = nullptr;
  HANDLE reported_ = nullptr;  // the pending read's event
  HANDLE pause_ = nullptr;     // set while a pause is asked for
  HANDLE paused_ = nullptr;    // set while the watch has let go for a pause
  HANDLE resume_ = nullptr;
  std::atomic<bool> ended_{false};
  std::atomic<bool> started_{false};
  std::atomic<bool> active_{false};
  std::atomic<bool> passingOn_{false};
  std::thread thread_;
};

}  // namespace corvane
