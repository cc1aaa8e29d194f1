#include "viewer/html/html_view_marks.h"

#include <algorithm>

namespace corvane {

std::vector<TextMark> OccurrenceMarks(const std::vector<std::size_t>& occurrences,
                                      std::size_t length, int current, TextRange range) {
  std::vector<TextMark> marks;
  // The first occurrence that ends after the range's start.
  auto it = std::upper_bound(
      occurrences.begin(), occurrences.end(), range.begin,
      [length](std::size_t position, std::size_t start) { return position < start + length; });
  for (; it != occurrences.end() && *it < range.end; ++it) {
    const bool isCurrent = current >= 0 && it - occurrences.begin() == current;
    marks.push_back(TextMark{std::max(*it, range.begin), std::min(*it + length, range.end),
                             isCurrent ? kCurrentOccurrenceBackground : kOccurrenceBackground});
  }
  return marks;
}

int StepOccurrence(const std::vector<std::size_t>& occurrences, int current, std::size_t top,
                   std::size_t bottom, bool backwards) {
  const int count = static_cast<int>(occurrences.size());
  int next;
  if (current >= 0) {
    next = backwards ? current - 1 : current + 1;
  } else if (backwards) {
    next = static_cast<int>(std::lower_bound(occurrences.begin(), occurrences.end(), bottom) -
                            occurrences.begin()) -
           1;
  } else {
    next = static_cast<int>(std::lower_bound(occurrences.begin(), occurrences.end(), top) -
                            occurrences.begin());
  }
  return next >= 0 && next < count ? next : -1;
}

}  // namespace corvane
