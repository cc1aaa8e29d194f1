#include "viewer/app/level_listing.h"

#include <atomic>
#include <utility>

#include "viewer/framework/list_controls.h"

namespace corvane {
namespace {

ListedLevel ListSorted(HistoryLevel level, const std::string& folder, LCID locale,
                       const std::atomic<bool>& cancelled) {
  ListedLevel listed{level, ListHistoryLevel(folder.c_str(), level, cancelled), {}};
  if (cancelled) return listed;
  SortAsList(locale, listed.texts);
  for (const std::string& text : listed.texts) listed.entries.Insert(text);
  return listed;
}

}  // namespace

void LevelListing::Start(HistoryLevel level, std::string folder, LCID locale) {
  Drop();
  pending_ = true;
  auto report = [news = &news_](ListedLevel listed) {
    news->Update([&](std::optional<ListedLevel>& slot) { slot = std::move(listed); });
  };
  thread_ = JoinedThread([=](const StopRequest& stop) {
    ListedLevel listed = ListSorted(level, folder, locale, stop.Flag());
    if (!stop.Requested()) report(std::move(listed));
  });
  if (thread_.Started()) return;
  // Without a thread the window waits for the listing, as it once always did.
  static const std::atomic<bool> kNeverCancelled{false};
  report(ListSorted(level, folder, locale, kNeverCancelled));
}

// Once the thread is stopped nothing reports any more; what it reported
// before it stopped goes.
void LevelListing::Drop() {
  thread_.Stop();
  Take();
  pending_ = false;
}

std::optional<ListedLevel> LevelListing::Take() {
  std::optional<ListedLevel> listed = news_.Take(
      [](std::optional<ListedLevel>& slot) { return std::exchange(slot, std::nullopt); });
  if (listed) pending_ = false;
  return listed;
}

}  // namespace corvane
