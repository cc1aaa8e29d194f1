// A search's rows, kept compactly: a search may list millions of them.
// Each row is a day's number, its place and where its text lies; the days
// are kept once, the texts in blocks of their own, and a row whose text is
// the row before's (two matches in one short line) shares it.  Nothing is
// ever moved as the list grows, so a long list never needs twice its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/days/history_day.h"

namespace corvane {

class SearchRowList {
 public:
  struct Row {
    const HistoryDay& day;
    std::string_view text;  // the Text column
    // Among the query's occurrences in the day, in document order; for a
    // search of what someone said without a query, among the lines.
    std::uint32_t place;
  };

  // The day of the rows added next.
  void AddDay(const HistoryDay& day);
  void Add(std::string_view text, std::uint32_t place);
  // Adds `more`'s days and rows at the end.
  void Append(const SearchRowList& more);
  void Clear();

  std::size_t Size() const { return rows_.size(); }
  std::size_t Days() const { return days_.size(); }
  // Valid until the next Add.
  Row operator[](std::size_t index) const;

  // What the rows take of memory, all told.
  std::size_t Bytes() const;

 private:
  struct Kept {
    std::uint32_t day;
    std::uint32_t place;
    std::uint32_t textAt;  // block * kBlockSize + offset
    std::uint32_t textLength;
  };
  static constexpr std::size_t kBlockSize = 1 << 20;
  std::uint32_t KeepText(std::string_view text);

  std::deque<HistoryDay> days_;
  std::deque<Kept> rows_;
  // The first block grows as texts come, so that a day's few rows take
  // little; every later one is made whole.
  std::vector<std::string> blocks_;
};

}  // namespace corvane
