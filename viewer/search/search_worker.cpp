#include "viewer/search/search_worker.h"

#include <atomic>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <utility>

#include "viewer/days/day_reader.h"
#include "viewer/days/day_scope.h"
#include "viewer/framework/worker_news.h"

namespace corvane {

struct SearchRunState {
  SearchRunState(HWND w, UINT m, WPARAM i, SearchRequest r)
      : request(std::move(r)), news(w, m, i) {}

  const SearchRequest request;
  std::atomic<bool> cancelled{false};
  ReadGate gate;
  // A cancelled search posts nothing more.
  WorkerNews<SearchProgress> news;

  void Publish(const SearchRowList& rows, bool capped) {
    news.Update(
        [&](SearchProgress& pending) {
          pending.days += rows.Days();
          pending.rows.Append(rows);
          pending.capped = capped;
        },
        !cancelled);
  }

  void CouldNotRead() {
    news.Update([](SearchProgress& pending) { ++pending.unreadDays; }, false);
  }

  void Finish() {
    news.Update([](SearchProgress& pending) { pending.finished = true; }, !cancelled);
  }
};

namespace {

bool Exists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Search(SearchRunState& state) {
  const SearchRequest& request = state.request;
  std::optional<SearchIndex::SearchHold> hold;
  if (request.index) hold.emplace(*request.index);
  std::vector<ListedDay> days = ListDaysInScope(*request.listing, request.historyFolder,
                                                request.user, request.buddy, state.cancelled);
  KeepDaysInRange(days, request.range);
  // Only the days to read are put in order: a long history has tens of
  // thousands, the index leaves a few.
  if (request.index) {
    if (auto toRead = request.index->DaysToRead(days, request.terms.query, request.terms.fold))
      days = std::move(*toRead);
  }
  SortNewestFirst(days, request.terms.nameFold);
  const std::vector<std::string> paths = DayFilePaths(request.historyFolder, days);
  DayReader reader(paths, state.gate);
  SearchRows rows(request.terms);
  SearchRowList batch;
  std::string html;
  for (std::size_t i = 0; i < days.size(); ++i) {
    state.gate.Pass();
    bool read = false;
    if (state.cancelled || !reader.Next(html, read)) return;
    // A day gone since the listing is no failure; one held by another
    // program, or too large for the memory left, is, and the search says so.
    if (!read) {
      if (Exists(paths[i])) state.CouldNotRead();
      continue;
    }
    batch.Clear();
    std::size_t found = 0;
    try {
      found = rows.Of(days[i].day, html, batch);
    } catch (const std::bad_alloc&) {
      state.CouldNotRead();
      continue;
    }
    if (found > 0 || rows.Capped()) state.Publish(batch, rows.Capped());
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

JoinedThread StartListingEveryDay(std::shared_ptr<DayListing> listing, std::string historyFolder) {
  // Should anything fail here, the first search lists the folders itself.
  return JoinedThread([listing = std::move(listing),
                       historyFolder = std::move(historyFolder)](const StopRequest& stop) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    ListDaysInScope(*listing, historyFolder, "", "", stop.Flag());
  });
}

SearchRun::SearchRun(HWND window, UINT message, WPARAM id, SearchRequest request)
    : state_(std::make_shared<SearchRunState>(window, message, id, std::move(request))),
      thread_([state = state_](const StopRequest&) { Work(state); },
              [state = state_] {
                state->cancelled = true;
                state->gate.Release();
              }) {}

void SearchRun::Hold() { state_->gate.Hold(); }

void SearchRun::Release() { state_->gate.Release(); }

SearchProgress SearchRun::Take() {
  return state_->news.Take([](SearchProgress& pending) {
    SearchProgress taken = std::move(pending);
    pending = SearchProgress{};
    pending.days = taken.days;
    pending.capped = taken.capped;
    pending.unreadDays = taken.unreadDays;
    return taken;
  });
}

}  // namespace corvane
