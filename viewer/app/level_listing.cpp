#include "viewer/app/level_listing.h"

#include <atomic>
#include <utility>

#include "viewer/framework/list_controls.h"

namespace corvane {
namespace {

ListedLevel ListSorted(ListingPurpose purpose, const LevelToList& asked,
                       const std::atomic<bool>& cancelled) {
  ListedLevel listed;
  listed.level = asked.level;
  listed.texts = ListHistoryLevel(asked.folder.c_str(), asked.level, cancelled);
  if (cancelled) return listed;
  SortAsList(asked.locale, listed.texts);
  if (purpose == ListingPurpose::kMerge) listed.folded.reserve(listed.texts.size());
  for (const std::string& text : listed.texts) {
    if (purpose == ListingPurpose::kMerge) {
      listed.folded.push_back(FoldedName(text));
    } else {
      listed.entries.InsertFolded(FoldedName(text));
    }
  }
  return listed;
}

Listing ListAll(ListingPurpose purpose, const std::vector<LevelToList>& levels,
                const std::atomic<bool>& cancelled) {
  Listing listing{purpose, {}};
  for (const LevelToList& asked : levels) {
    if (cancelled) break;
    listing.levels.push_back(ListSorted(purpose, asked, cancelled));
  }
  return listing;
}

}  // namespace

void LevelListing::Start(ListingPurpose purpose, std::vector<LevelToList> levels) {
  Drop();
  pending_ = purpose;
  auto report = [news = &news_](Listing listing) {
    news->Update([&](std::optional<Listing>& slot) { slot = std::move(listing); });
  };
  thread_ = JoinedThread([=](const StopRequest& stop) {
    Listing listing = ListAll(purpose, levels, stop.Flag());
    if (!stop.Requested()) report(std::move(listing));
  });
  if (thread_.Started()) return;
  // Without a thread the window waits for the listing, as it once always did.
  static const std::atomic<bool> kNeverCancelled{false};
  report(ListAll(purpose, levels, kNeverCancelled));
}

// Once the thread is stopped nothing reports any more; what it reported
// before it stopped goes.
void LevelListing::Drop() {
  thread_.Stop();
  Take();
  pending_.reset();
}

std::optional<Listing> LevelListing::Take() {
  std::optional<Listing> listing =
      news_.Take([](std::optional<Listing>& slot) { return std::exchange(slot, std::nullopt); });
  if (listing) pending_.reset();
  return listing;
}

}  // namespace corvane
