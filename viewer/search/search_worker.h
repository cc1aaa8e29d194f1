// The search's worker thread: it lists the days in scope, asks the index
// which of them can hold the query, reads each of those once, newest first,
// and hands its rows to the search window in batches, so the window stays
// answering while a whole history is read.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "common/joined_thread.h"
#include "viewer/days/day_listing.h"
#include "viewer/history_tree/date_range.h"
#include "viewer/html/text_find.h"
#include "viewer/search/search_index.h"
#include "viewer/search/search_rows.h"

namespace corvane {

struct SearchRequest {
  std::string historyFolder;
  // The query's fold is the identity for "Match case"; the names' fold is
  // how users, buddies and dates sort.
  SearchTerms terms;
  std::string user;   // empty: every user
  std::string buddy;  // empty: every buddy of the user
  DateRange range;    // of the days' dates
  // Listings kept from earlier searches; shared with them and the window.
  std::shared_ptr<DayListing> listing;
  // Which days can hold the query; none: every day is read.
  std::shared_ptr<SearchIndex> index;
};

// Lists every buddy folder of the history into `listing` on a thread of its
// own: started as the search window opens, it has them kept before a user
// has typed a query, so that the first search need not list them.  Stopped,
// it leaves the rest to the first search.
JoinedThread StartListingEveryDay(std::shared_ptr<DayListing> listing, std::string historyFolder);

// What a search found since the window last asked.
struct SearchProgress {
  SearchRowList rows;
  std::size_t days = 0;  // day files with a row, all told
  bool finished = false;
  bool capped = false;         // stopped at kMaxSearchRows with more to find
  std::size_t unreadDays = 0;  // day files that could not be read or searched, all told
};

// What the worker and the window share; the worker keeps it alive for as
// long as it runs.
struct SearchRunState;

class SearchRun {
 public:
  // Starts the worker.  Whenever rows wait, and once when the search has
  // ended, it posts `message` with wParam `id` to `window`.
  SearchRun(HWND window, UINT message, WPARAM id, SearchRequest request);
  // Cancels: the worker stops before its next file and posts nothing more.
  ~SearchRun() = default;
  SearchRun(const SearchRun&) = delete;
  SearchRun& operator=(const SearchRun&) = delete;

  SearchProgress Take();

  // Holds the search's threads before their next file until Release: the
  // window calls them around drawing new rows.
  void Hold();
  void Release();

 private:
  std::shared_ptr<SearchRunState> state_;
  JoinedThread thread_;
};

}  // namespace corvane
