// Finding a query in the view's text as FindInLines does, fast enough to run
// over every day of a history: the query's skip table is made once, and the
// text is compared through the fold table without a folded copy.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/html/text_find.h"

namespace corvane {

class LineFinder {
 public:
  LineFinder(std::string_view query, const FoldTable& fold);

  // Appends the offsets that FindInLines(text, query, fold) gives.
  void FindAll(std::string_view text, std::vector<std::size_t>& found) const;

  std::size_t QueryLength() const { return folded_.size(); }

 private:
  bool MatchesAt(const unsigned char* at) const;

  std::string folded_;  // the query, each byte through the fold; empty: finds nothing
  FoldTable fold_;
  // How far a window may move on, by the byte under its last position.
  std::array<std::size_t, 256> shift_{};
  // Some byte of the query folds as a line feed does, so a window that
  // compares equal may still span a line end.
  bool checkLineFeeds_ = false;
};

}  // namespace corvane
