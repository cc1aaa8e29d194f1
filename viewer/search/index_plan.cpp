#include "viewer/search/index_plan.h"

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_set>

namespace corvane {

std::size_t HistoryDayHash::operator()(const HistoryDay& day) const {
  const std::hash<std::string> hash;
  std::size_t h = hash(day.user);
  h = h * 31 + hash(day.buddy);
  return h * 31 + hash(day.date);
}

bool SameDay::operator()(const HistoryDay& a, const HistoryDay& b) const {
  return a.date == b.date && a.buddy == b.buddy && a.user == b.user;
}

bool HoldsAsListed(const IndexedDay& row, const ListedDay& day) {
  return row.size == day.size && row.written == day.written;
}

std::vector<ListedDay> PlanSearch(const std::vector<ListedDay>& days, const IndexRows& rows,
                                  const std::vector<std::int64_t>& proposed, std::size_t& unheld) {
  unheld = 0;
  std::vector<ListedDay> toRead;
  for (const ListedDay& day : days) {
    const auto row = rows.find(day.day);
    if (row == rows.end() || !HoldsAsListed(row->second, day)) {
      ++unheld;
      toRead.push_back(day);
    } else if (std::binary_search(proposed.begin(), proposed.end(), row->second.id)) {
      toRead.push_back(day);
    }
  }
  return toRead;
}

IndexWork PlanIndexing(const std::vector<ListedDay>& listed, const IndexRows& rows) {
  IndexWork work;
  std::unordered_set<std::int64_t> listedIds;
  for (const ListedDay& day : listed) {
    const auto row = rows.find(day.day);
    if (row != rows.end()) listedIds.insert(row->second.id);
    if (row != rows.end() && HoldsAsListed(row->second, day)) {
      ++work.held;
    } else {
      work.toIndex.push_back(day);
    }
  }
  for (const auto& [day, row] : rows) {
    if (listedIds.count(row.id) == 0) work.gone.push_back(row.id);
  }
  std::sort(work.gone.begin(), work.gone.end());
  return work;
}

}  // namespace corvane
