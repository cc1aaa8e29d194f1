// The one watch of the history tree (ReadDirectoryChangesW over the whole
// tree, on a thread of its own), which the main dialog's lists and the
// search index's kept listings both follow.  A day file that is written
// keeps its folder's write time: only a watch of the files says it changed.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "common/joined_thread.h"
#include "common/unique_handle.h"

namespace corvane {

// A name below the history folder, relative to it, in the ANSI code page,
// and what happened to it (FILE_ACTION_ADDED ...).
struct FolderChange {
  std::string relative;
  DWORD action;
};

// One report of the watch.
struct FolderChanges {
  enum class Kind {
    kBegan,    // the watch began (again): anything may have changed before
    kChanged,  // the changes below, since the last report
    kEnded,    // it let go of the tree (it ended, or pauses): nothing is
               // reported until it begins again
  };
  Kind kind = Kind::kChanged;
  // A change whose name could not be spelled, or more changes than the
  // watch could hold: anything may have changed.
  bool lostCount = false;
  std::vector<FolderChange> changes;

  bool Everything() const { return kind != Kind::kChanged || lostCount; }
};

class FolderWatch {
 public:
  using Listener = std::function<void(const FolderChanges&)>;

  explicit FolderWatch(std::string historyFolder);
  // Stops at once.
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // While one lives, its listener hears every report on the watch's
  // thread; once it is gone, its listener is never called again.
  class Subscription {
   public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription();

   private:
    friend class FolderWatch;
    Subscription(FolderWatch* watch, std::list<Listener>::iterator listener)
        : watch_(watch), listener_(listener) {}
    FolderWatch* watch_ = nullptr;
    std::list<Listener>::iterator listener_;
  };
  // Listeners that subscribe after Start miss the reports made before.
  Subscription Listen(Listener listener);

  // Starts watching; the first report is kBegan.
  void Start();

  // Waits until the watch runs or cannot, or `cancelled`; whether it runs.
  // While it runs, every change has been reported, up to those Settle
  // waits for.
  bool WaitActive(const std::atomic<bool>& cancelled) const;
  bool Active() const { return active_; }

  // Waits, a few milliseconds at most, while the system has reported
  // changes that have not reached the listeners yet: a search started just
  // after a history write sees it.
  void Settle() const;

  // While one lives the watch lets go of the history folder, so that the
  // viewer can remove the folders its deletes empty: Wine watches a tree
  // by holding every folder in it, and a folder held so cannot be removed.
  // Nothing is reported meanwhile (kEnded, then kBegan once it watches
  // again).
  class DeletionPause {
   public:
    explicit DeletionPause(FolderWatch* watch);
    ~DeletionPause();
    DeletionPause(const DeletionPause&) = delete;
    DeletionPause& operator=(const DeletionPause&) = delete;

   private:
    FolderWatch* watch_;
  };

 private:
  void Run(const StopRequest& stop);
  bool WaitWhilePaused(const StopRequest& stop);
  void Watch(HANDLE folder, const StopRequest& stop);
  void PassOn(const char* records, DWORD bytes);
  void Tell(const FolderChanges& changes);
  void Pause();
  void Resume();

  const std::string root_;
  std::mutex lock_;
  std::list<Listener> listeners_;  // under lock_
  KernelHandle reported_;          // the pending read's event
  KernelHandle pause_;             // set while a pause is asked for
  KernelHandle paused_;            // set while the watch has let go for a pause
  KernelHandle resume_;
  std::atomic<bool> ended_{false};
  std::atomic<bool> started_{false};
  std::atomic<bool> active_{false};
  std::atomic<bool> passingOn_{false};
  JoinedThread thread_;
};

}  // namespace corvane
