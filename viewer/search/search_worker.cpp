#include "viewer/search/search_worker.h"

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"
#include "viewer/search/day_reader.h"
#include "viewer/search/day_search.h"
#include "viewer/search/search_texts.h"

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

std::vector<std::string> NamesOrAll(const std::string& name,
                                    const std::optional<std::string>& folder, HistoryLevel level) {
  if (!name.empty()) return {name};
  if (!folder) return {};
  return ListHistoryLevel(folder->c_str(), level);
}

struct BuddyFolder {
  std::string user;
  std::string buddy;
};

std::vector<BuddyFolder> BuddyFoldersInScope(const SearchRequest& request,
                                             const std::atomic<bool>& cancelled) {
  const std::string& root = request.history_folder;
  std::vector<BuddyFolder> folders;
  for (const std::string& user : NamesOrAll(request.user, root, HistoryLevel::kUsers)) {
    if (cancelled) return {};
    for (std::string& buddy :
         NamesOrAll(request.buddy, JoinHistoryPath(root, {user}), HistoryLevel::kBuddies)) {
      folders.push_back(BuddyFolder{user, std::move(buddy)});
    }
  }
  return folders;
}

// Every day file of the request's users and buddies, as the viewer lists
// them.  A buddy folder unchanged since an earlier search is not listed
// again; listing one is mostly waiting on the file system (under Wine, on
// its server), so two threads list the rest in about half the time of one.
std::vector<SearchDay> DaysInScope(const SearchRequest& request,
                                   const std::atomic<bool>& cancelled) {
  DayListing& listing = *request.listing;
  listing.Begin(request.history_folder);
  const std::vector<BuddyFolder> folders = BuddyFoldersInScope(request, cancelled);
  std::vector<std::vector<std::string>> dates(folders.size());
  std::atomic<std::size_t> next{0};
  // A failure (out of memory) stops both threads and ends the search.
  std::exception_ptr failures[2];
  const auto list_folders = [&](std::exception_ptr& failure) {
    try {
      for (std::size_t i = next++; i < folders.size() && !cancelled; i = next++) {
        const std::optional<std::string> folder =
            JoinHistoryPath(request.history_folder, {folders[i].user, folders[i].buddy});
        if (folder) dates[i] = listing.Dates(*folder);
      }
    } catch (...) {
      failure = std::current_exception();
      next = folders.size();
    }
  };
  std::thread helper(list_folders, std::ref(failures[1]));
  list_folders(failures[0]);
  helper.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  if (cancelled) return {};

  std::vector<SearchDay> days;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    for (std::string& date : dates[i]) {
      days.push_back(SearchDay{folders[i].user, folders[i].buddy, std::move(date)});
    }
  }
  return days;
}

// The day files' paths, in the days' order; empty where a path would not
// fit (such a file is never read).
std::vector<std::string> PathsOf(const std::vector<SearchDay>& days, const std::string& folder) {
  std::vector<std::string> paths;
  paths.reserve(days.size());
  for (const SearchDay& day : days) {
    paths.push_back(
        JoinHistoryPath(folder, {day.user, day.buddy, DateEntryFileName(day.date)}).value_or(""));
  }
  return paths;
}

void Search(SearchRunState& state) {
  std::vector<SearchDay> days = DaysInScope(state.request, state.cancelled);
  SortNewestFirst(days, state.request.name_fold);
  DayReader reader(PathsOf(days, state.request.history_folder), state.gate);
  DaySearch search(state.request.query, state.request.fold);
  std::string html;
  std::size_t rows = 0;
  for (const SearchDay& day : days) {
    state.gate.Pass();
    if (state.cancelled || !reader.Next(html)) return;
    const std::vector<std::size_t>& found = search.Find(html);
    if (found.empty()) continue;
    const bool capped = rows + found.size() > kMaxSearchRows;
    const std::size_t taken = capped ? kMaxSearchRows - rows : found.size();
    std::vector<std::string> texts =
        MatchRowTexts(search.Text(), found, taken, search.QueryLength());
    std::vector<SearchRow> batch;
    batch.reserve(taken);
    for (std::size_t i = 0; i < taken; ++i) {
      batch.push_back(SearchRow{day, std::move(texts[i]), static_cast<int>(i)});
    }
    rows += taken;
    state.Publish(std::move(batch), capped);
    if (capped) return;
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

void StartListingEveryDay(std::shared_ptr<DayListing> listing, std::string history_folder) {
  SearchRequest request{};
  request.history_folder = std::move(history_folder);
  request.listing = std::move(listing);
  // Should anything fail here, the first search lists the folders itself.
  try {
    std::thread([request = std::move(request)] {
      SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
      static const std::atomic<bool> kNeverCancelled{false};
      try {
        DaysInScope(request, kNeverCancelled);
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
