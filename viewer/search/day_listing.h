// The day files of each buddy's folder, kept between searches while the
// folder is as it was: listing three hundred buddies' folders again was
// most of the wait before a search's first row.  A kept listing is used
// only when the folder's last write time, which its user folder's listing
// gives for free, says that no entry was added, removed or renamed since.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace corvane {

class DayListing {
 public:
  // Called as a search begins: the history folder may have moved since the
  // last one.
  void Begin(const std::string& history_folder);

  // The dates of the day files in the buddy folder `folder`, whose last
  // write time its user folder's listing gave as `written`.
  std::vector<std::string> Dates(const std::string& folder, const FILETIME& written);

 private:
  struct Kept {
    FILETIME written;
    std::vector<std::string> dates;
  };

  std::mutex lock_;
  std::string root_;                  // under lock_
  bool keeping_ = false;              // under lock_: root_'s drive keeps folder times
  std::map<std::string, Kept> kept_;  // under lock_
};

}  // namespace corvane
