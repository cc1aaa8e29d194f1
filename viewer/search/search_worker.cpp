#include "viewer/search/search_worker.h"

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "viewer/search/day_reader.h"
#include "viewer/search/day_scope.h"

namespace corvane {

struct SearchRunState {
  SearchRunState(HWND w, UINT m, WPARAM i, SearchRequest r)
      : window(w), message(m), id(i), request(std::move(r)) {}

  const HWND window;
  const UINT message;
  const WPARAM id;
  const SearchRequest request;
  std::atomic<bool> cancelled{false};
  SearchGate gate;

  std::mutex lock;
  SearchProgress pending;  // under lock
  bool posted = false;     // under lock: a message is on its way

  // Under lock: one message for however many batches arrive before the
  // window takes them.
  void Notify() {
    if (posted || cancelled) return;
    posted = PostMessageA(window, message, id, 0) != FALSE;
  }

  void Publish(std::vector<SearchRow> rows, bool capped) {
    std::lock_guard<std::mutex> guard(lock);
    if (!rows.empty()) ++pending.days;
    for (SearchRow& row : rows) pending.rows.push_back(std::move(row));
    pending.capped = capped;
    Notify();
  }

  void Finish() {
    std::lock_guard<std::mutex> guard(lock);
    pending.finished = true;
    Notify();
  }
};

namespace {

// The day files' paths, in the days' order; empty where a path would not
// fit (such a file is never read).
std::vector<std::string> PathsOf(const std::vector<ListedDay>& days, const std::string& folder) {
  std::vector<std::string> paths;
  paths.reserve(days.size());
  for (const ListedDay& day : days) paths.push_back(DayFilePath(folder, day.day).value_or(""));
  return paths;
}

void Search(SearchRunState& state) {
  const SearchRequest& request = state.request;
  std::optional<SearchIndex::SearchHold> hold;
  if (request.index) hold.emplace(*request.index);
  std::vector<ListedDay> days = ListDaysInScope(*request.listing, request.historyFolder,
                                                request.user, request.buddy, state.cancelled);
  // Only the days to read are put in order: a long history has tens of
  // thousands, the index leaves a few.
  if (request.index) {
    if (auto toRead = request.index->DaysToRead(days, request.query, request.fold))
      days = std::move(*toRead);
  }
  SortNewestFirst(days, request.nameFold);
  DayReader reader(PathsOf(days, request.historyFolder), state.gate);
  SearchRows rows(request.query, request.fold);
  std::string html;
  for (const ListedDay& day : days) {
    state.gate.Pass();
    if (state.cancelled || !reader.Next(html)) return;
    std::vector<SearchRow> batch = rows.Of(day.day, html);
    if (!batch.empty() || rows.Capped()) state.Publish(std::move(batch), rows.Capped());
    if (rows.Capped()) return;
  }
}

void Work(std::shared_ptr<SearchRunState> state) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  try {
    Search(*state);
  } catch (...) {
    // Out of memory on a huge file: the search ends with what it found.
  }
  state->Finish();
}

}  // namespace

void StartListingEveryDay(std::shared_ptr<DayListing> listing, std::string historyFolder) {
  // Should anything fail here, the first search lists the folders itself.
  try {
    std::thread([listing = std::move(listing), historyFolder = std::move(historyFolder)] {
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
      static const std::atomic<bool> kNeverCancelled{false};
      try {
        ListDaysInScope(*listing, historyFolder, "", "", kNeverCancelled);
      } catch (...) {
        // Out of memory, or no helper thread.
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread.
  }
}

SearchRun::SearchRun(HWND window, UINT message, WPARAM id, SearchRequest request)
    : state_(std::make_shared<SearchRunState>(window, message, id, std::move(request))) {
  std::thread(Work, state_).detach();
}

SearchRun::~SearchRun() {
  state_->cancelled = true;
  state_->gate.Release();
}

void SearchRun::Hold() { state_->gate.Hold(); }

void SearchRun::Release() { state_->gate.Release(); }

SearchProgress SearchRun::Take() {
  std::lock_guard<std::mutex> guard(state_->lock);
  SearchProgress taken = std::move(state_->pending);
  state_->pending = SearchProgress{};
  state_->pending.days = taken.days;
  state_->pending.capped = taken.capped;
  state_->posted = false;
  return taken;
}

}  // namespace corvane
