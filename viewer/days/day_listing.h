// The day files of each buddy's folder, kept between searches while the
// folder is as it was: listing three hundred buddies' folders again was
// most of the wait before a search's first row.  A kept listing is used
// only when the folder's last write time says that no entry was added,
// removed or renamed since, and no change the watch reported (a day file
// written, whose folder's time stays) has touched the folder since it was
// listed; asking a folder for its time is a fraction of listing it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "viewer/history_tree/buddy_folders.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {

class DayListing {
 public:
  // Called as a search begins: the history folder may have moved since the
  // last one.
  void Begin(const std::string& historyFolder);

  // The day files of the buddy folder `folder`: dates, sizes, write times.
  // Shared with the listing kept, which is never changed, only replaced.
  using Entries = std::shared_ptr<const std::vector<HistoryEntry>>;
  Entries Days(const std::string& folder);

  // The buddy folders ListBuddyFolders walks for `user` and `buddy`, kept
  // while the write times of the history folder and of each user folder
  // walked say that no folder was made, removed or renamed there, and the
  // watch reported no change to a user's or a buddy's folder itself.
  // Asking each folder where it leads costs most of a millisecond under
  // Wine: on ten years of history, a third of a second before a search's
  // first row.
  using Folders = std::shared_ptr<const std::vector<BuddyFolder>>;
  Folders BuddyFolders(const std::string& user, const std::string& buddy);

  // Something changed in `folder` or below it: what was listed there before
  // is not used again.
  void Forget(const std::string& folder);
  // A user's or a buddy's folder itself was made, removed, renamed or changed.
  void ForgetFolders();
  void ForgetAll();

 private:
  struct Kept {
    std::uint64_t written;  // the folder's last write time, in FILETIME ticks
    Entries days;
  };
  struct KeptFolders {
    std::vector<std::pair<std::string, std::uint64_t>> written;  // each folder's write time
    Folders folders;
  };
  bool ChangedSince(const std::string& folder, std::uint64_t change) const;

  std::mutex lock_;
  std::string root_;                  // under lock_
  bool keeping_ = false;              // under lock_: root_'s drive keeps folder times
  std::map<std::string, Kept> kept_;  // under lock_
  std::map<std::pair<std::string, std::string>, KeptFolders> keptFolders_;  // under lock_
  // Under lock_: a count of the changes reported, and the count at the last
  // change of each folder they named (and of all of them), so that a
  // listing under way while a change came is not kept.
  std::uint64_t changes_ = 0;
  std::uint64_t allChanged_ = 0;
  std::uint64_t foldersChanged_ = 0;
  std::map<std::string, std::uint64_t> changed_;
};

}  // namespace corvane
