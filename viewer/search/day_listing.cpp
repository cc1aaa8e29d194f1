#include "viewer/search/day_listing.h"

#include <cstdint>
#include <cstring>

#include "common/file_time.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

// A folder's write time changes with its entries on NTFS and ReFS; FAT
// leaves it alone, and a network drive keeps it by another machine's clock.
bool KeepsFolderTimes(const std::string& folder) {
  char volume[MAX_PATH];
  char file_system[32];
  return GetVolumePathNameA(folder.c_str(), volume, MAX_PATH) &&
         GetDriveTypeA(volume) == DRIVE_FIXED &&
         GetVolumeInformationA(volume, nullptr, 0, nullptr, nullptr, nullptr, file_system,
                               sizeof file_system) &&
         (std::strcmp(file_system, "NTFS") == 0 || std::strcmp(file_system, "ReFS") == 0);
}

// A change in the same tick of the file system's clock as the listing
// would leave the write time as it was, so a listing made so soon after
// the folder's last change is never kept.
constexpr std::uint64_t kClockTicks = 2 * 10'000'000ULL;

std::uint64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return FileTimeTicks(now);
}

}  // namespace

void DayListing::Begin(const std::string& history_folder) {
  std::lock_guard<std::mutex> guard(lock_);
  if (history_folder == root_) return;
  root_ = history_folder;
  keeping_ = KeepsFolderTimes(root_);
  kept_.clear();
}

// The time comes from the folder itself: the copy in its parent's listing
// may lag on NTFS.  It is taken before the listing, which is therefore at
// least as new.
std::vector<std::string> DayListing::Dates(const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  bool timed;
  {
    std::lock_guard<std::mutex> guard(lock_);
    timed = keeping_;
  }
  timed = timed && GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &attributes);
  const std::uint64_t written = timed ? FileTimeTicks(attributes.ftLastWriteTime) : 0;
  if (timed) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto kept = kept_.find(folder);
    if (kept != kept_.end() && kept->second.written == written) return kept->second.dates;
  }
  const std::uint64_t listed_at = Now();
  std::vector<std::string> dates = ListHistoryLevel(folder.c_str(), HistoryLevel::kDates);
  if (timed && written + kClockTicks < listed_at) {
    std::lock_guard<std::mutex> guard(lock_);
    kept_[folder] = Kept{written, dates};
  }
  return dates;
}

}  // namespace corvane
