// The HTML view's highlighting of a query's occurrences: where the marks go
// and in which colours, and which occurrence F3 and Shift+F3 move to.
#pragma once

#include <cstddef>
#include <vector>

#include "viewer/html/html_values.h"
#include "viewer/html/html_view_ranges.h"

namespace corvane {

// Characters drawn on a background of their own, over the document's.
struct TextMark {
  std::size_t begin = 0;
  std::size_t end = 0;
  Rgb background;
};

// Yellow for every occurrence and orange for the current one: the history's
// text colours (black, and the senders' blue and red) read well on both.
inline constexpr Rgb kOccurrenceBackground{0xFF, 0xFF, 0x00};
inline constexpr Rgb kCurrentOccurrenceBackground{0xFF, 0x96, 0x32};

// The marks of the occurrences inside `range`, in order: each occurrence
// starts at one of `occurrences` (ascending, not overlapping) and is `length`
// characters long; the one at index `current` (-1: none) is the current one.
std::vector<TextMark> OccurrenceMarks(const std::vector<std::size_t>& occurrences,
                                      std::size_t length, int current, TextRange range);

// The index of the occurrence F3 (forward) or Shift+F3 moves to: the one after
// or before `current`; with no current occurrence (-1), the first that starts
// at or after `top` (the first character in sight) or the last that starts
// before `bottom` (the first character below the sight).  -1 when there is
// none.
int StepOccurrence(const std::vector<std::size_t>& occurrences, int current, std::size_t top,
                   std::size_t bottom, bool backwards);

}  // namespace corvane
