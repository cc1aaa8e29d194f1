// The break opportunities the HTML view adds to long unbroken runs of a
// day's text on its way into a page, and the mapping between the page's
// characters and the day's.  Wine's RichEdit measures a run of one format
// again from a line's end to the run's end each time it wraps a line, so a
// line of thousands of characters took seconds; a page never holds a stretch
// longer than kLongestUnbrokenRun between two breaks, and a break (a hidden
// zero-width space, a run of its own) adds nothing the reader sees.  The
// document keeps the day's text: finding, highlighting, links and copying
// work on it and map to the page.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

// Long enough that a line of ordinary words rarely has a break at all (each
// costs the page two runs), short enough that re-measuring a run is cheap.
inline constexpr std::size_t kLongestUnbrokenRun = 64;

class PageBreaks {
 public:
  PageBreaks() = default;
  // Breaks for `text`: no stretch of a line between its start, its breaks
  // and its end is longer than `longest`.  A break goes right after the last
  // space of a stretch, where a line may wrap anyway, and only inside a word
  // longer than that.
  explicit PageBreaks(std::string_view text, std::size_t longest = kLongestUnbrokenRun);

  // The text's positions a break is shown before, ascending.
  const std::vector<std::size_t>& Places() const { return places_; }

  // Where a position of the text stands on the page (before a break shown
  // there), and the text's position of a page's character (a break counts as
  // the character after it).
  std::size_t Shown(std::size_t position) const;
  std::size_t Text(std::size_t shown) const;

 private:
  std::vector<std::size_t> places_;
};

}  // namespace corvane
