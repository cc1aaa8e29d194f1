#include "viewer/days/day_listing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

#include "common/file_time.h"

namespace corvane {
namespace {

// A folder's write time changes with its entries on NTFS and ReFS; FAT
// leaves it alone, and a network drive keeps it by another machine's clock.
bool KeepsFolderTimes(const std::string& folder) {
  char volume[MAX_PATH];
  char fileSystem[32];
  return GetVolumePathNameA(folder.c_str(), volume, MAX_PATH) &&
         GetDriveTypeA(volume) == DRIVE_FIXED &&
         GetVolumeInformationA(volume, nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                               sizeof fileSystem) &&
         (std::strcmp(fileSystem, "NTFS") == 0 || std::strcmp(fileSystem, "ReFS") == 0);
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

// "a\b\c" -> "a\b"; a folder without a separator has none.
std::string ParentOf(const std::string& folder) {
  const std::size_t separator = folder.rfind('\\');
  return separator == std::string::npos ? std::string() : folder.substr(0, separator);
}

// The folder's last write time, taken from the folder itself: the copy in
// its parent's listing may lag on NTFS.
std::optional<std::uint64_t> WrittenTicks(const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &attributes))
    return std::nullopt;
  return FileTimeTicks(attributes.ftLastWriteTime);
}

bool IsBelow(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '\\';
}

}  // namespace

void DayListing::Begin(const std::string& historyFolder) {
  std::lock_guard<std::mutex> guard(lock_);
  if (historyFolder == root_) return;
  root_ = historyFolder;
  keeping_ = KeepsFolderTimes(root_);
  kept_.clear();
  keptFolders_.clear();
}

bool DayListing::ChangedSince(const std::string& folder, std::uint64_t change) const {
  if (allChanged_ > change) return true;
  for (const std::string& named : {folder, ParentOf(folder)}) {
    const auto changed = changed_.find(named);
    if (changed != changed_.end() && changed->second > change) return true;
  }
  return false;
}

// The time is taken before the listing, which is therefore at least as new.
DayListing::Entries DayListing::Days(const std::string& folder) {
  bool timed;
  std::uint64_t change;
  {
    std::lock_guard<std::mutex> guard(lock_);
    timed = keeping_;
    change = changes_;
  }
  const std::optional<std::uint64_t> ticks = timed ? WrittenTicks(folder) : std::nullopt;
  timed = ticks.has_value();
  const std::uint64_t written = ticks.value_or(0);
  if (timed) {
    std::lock_guard<std::mutex> guard(lock_);
    const auto kept = kept_.find(folder);
    if (kept != kept_.end() && kept->second.written == written) return kept->second.days;
  }
  const std::uint64_t listedAt = Now();
  Entries days = std::make_shared<const std::vector<HistoryEntry>>(
      ListHistoryEntries(folder.c_str(), HistoryLevel::kDates));
  if (timed && written + kClockTicks < listedAt) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!ChangedSince(folder, change)) kept_[folder] = Kept{written, days};
  }
  return days;
}

// Which user folders are walked is known only once they are listed, so
// their times are taken after: a folder changed since the listing began
// shows a time too recent to keep.
DayListing::Folders DayListing::BuddyFolders(const std::string& user, const std::string& buddy) {
  std::string root;
  bool timed;
  std::uint64_t change;
  std::optional<KeptFolders> kept;
  const auto key = std::make_pair(user, buddy);
  {
    std::lock_guard<std::mutex> guard(lock_);
    root = root_;
    timed = keeping_;
    change = changes_;
    const auto found = keptFolders_.find(key);
    if (found != keptFolders_.end()) kept = found->second;
  }
  if (kept && std::all_of(kept->written.begin(), kept->written.end(), [](const auto& folder) {
        return WrittenTicks(folder.first) == folder.second;
      })) {
    return kept->folders;
  }
  const std::uint64_t listedAt = Now();
  std::vector<std::string> walked{root};
  Folders folders = std::make_shared<const std::vector<BuddyFolder>>(
      ListBuddyFolders(root, user, buddy, &walked));
  if (!timed) return folders;
  KeptFolders keep{{}, folders};
  for (const std::string& folder : walked) {
    const std::optional<std::uint64_t> written = WrittenTicks(folder);
    if (!written || *written + kClockTicks >= listedAt) return folders;
    keep.written.emplace_back(folder, *written);
  }
  std::lock_guard<std::mutex> guard(lock_);
  if (root == root_ && std::max(allChanged_, foldersChanged_) <= change)
    keptFolders_[key] = std::move(keep);
  return folders;
}

void DayListing::Forget(const std::string& folder) {
  std::lock_guard<std::mutex> guard(lock_);
  changed_[folder] = ++changes_;
  for (auto kept = kept_.begin(); kept != kept_.end();) {
    if (kept->first == folder || IsBelow(kept->first, folder)) {
      kept = kept_.erase(kept);
    } else {
      ++kept;
    }
  }
}

void DayListing::ForgetFolders() {
  std::lock_guard<std::mutex> guard(lock_);
  foldersChanged_ = ++changes_;
  keptFolders_.clear();
}

void DayListing::ForgetAll() {
  std::lock_guard<std::mutex> guard(lock_);
  allChanged_ = ++changes_;
  changed_.clear();
  kept_.clear();
  keptFolders_.clear();
}

}  // namespace corvane
