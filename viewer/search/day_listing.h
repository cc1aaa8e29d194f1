// The day files of each buddy's folder, kept between searches while the
// folder is as it was: listing three hundred buddies' folders again was
// most of the wait before a search's first row.  A kept listing is used
// only when the folder's last write time says that no entry was added,
// removed or renamed since; asking a folder for its time is a fraction of
// listing it.
#pragma once

#include <windows.h>

#include <cstdint>
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

  // The dates of the day files in the buddy folder `folder`.
  std::vector<std::string> Dates(const std::string& folder);

 private:
  struct Kept {
    std::uint64_t written;  // the folder's last write time, in FILETIME ticks
    std::vector<std::string> dates;
  };

  std::mutex lock_;
  std::string root_;                  // under lock_
  bool keeping_ = false;              // under lock_: root_'s drive keeps folder times
  std::map<std::string, Kept> kept_;  // under lock_
};

}  // namespace corvane
