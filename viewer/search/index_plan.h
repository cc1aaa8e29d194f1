// How the search index meets the listing of the day files: which days a
// search must read itself, which the indexer must (re)read, which rows are
// of days gone.  A row is trusted only while its day file's size and last
// write time are those it was indexed at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "viewer/days/history_day.h"

namespace corvane {

// One day file's row in the index.
struct IndexedDay {
  std::int64_t id = 0;  // the index's document for the day
  std::uint64_t size = 0;
  std::uint64_t written = 0;
  std::uint64_t textLength = 0;  // of the text indexed
};

struct HistoryDayHash {
  std::size_t operator()(const HistoryDay& day) const;
};
struct SameDay {
  bool operator()(const HistoryDay& a, const HistoryDay& b) const;
};
using IndexRows = std::unordered_map<HistoryDay, IndexedDay, HistoryDayHash, SameDay>;

// The row holds the day file as it is listed now.
bool HoldsAsListed(const IndexedDay& row, const ListedDay& day);

// What a search has to do, given the index's rows and its proposals: the
// days of `days` it must read, in their order: every day the index does not
// hold as listed, and of the others those among `proposed` (ascending ids of
// the index's documents that can hold the query).  `unheld` counts the
// first kind.
std::vector<ListedDay> PlanSearch(const std::vector<ListedDay>& days, const IndexRows& rows,
                                  const std::vector<std::int64_t>& proposed, std::size_t& unheld);

struct IndexWork {
  std::vector<ListedDay> toIndex;  // the listed days not held as listed, in the listing's order
  std::vector<std::int64_t> gone;  // rows of days no longer listed
  std::size_t held = 0;            // listed days held as listed
};

// What the indexer has to do for the whole history's listing `listed`
// (newest first, so the days a user most likely looks for come first).
IndexWork PlanIndexing(const std::vector<ListedDay>& listed, const IndexRows& rows);

}  // namespace corvane
