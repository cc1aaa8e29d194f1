// The break opportunities the HTML view adds to long unbroken runs of a
// day's text on its way into a page, and the mapping between the page's
// characters and the day's.  Wine's RichEdit measures a run of one format
// again from a line's end to the run's end each time it wraps a line, so a
// line of thousands of characters took seconds; a page never holds a stretch
// longer than kLongestUnbrokenRun between two breaks, and a break (a hidden
// zero-width space, a run of its own) adds nothing the reader sees.  The
// document keeps the day's text: finding, highlighting, links and copying
// work on it and map to the page.  Wine's RichEdit also wraps a whole
// paragraph again whenever anything in it changes or follows it, in time that
// grows faster than its length (a line of 57,000 characters: a third of a
// second), so a line longer than kLongestPageLine goes on the page as
// several paragraphs: some of its breaks are paragraph ends instead, still
// one character each.  Short lines share a paragraph, each ended by a line
// break inside it (one character too): Wine's RichEdit holds 2.7 KB for a
// one-letter line that is a paragraph of its own and 2.0 KB for one that is
// not (a day of 100,000 such lines held 250 MB), loads it three times as
// fast, and deletes text in time that grows with the paragraphs both of the
// page and of the text deleted, so that only a page of few paragraphs can be
// emptied a piece at a time.  Those 2.0 KB are the least a line on a row of
// its own costs there: its text and its line break are two runs, each with
// a glyph buffer of at least 384 bytes (Wine shapes every run), and a row.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

// Long enough that a line of ordinary words rarely has a break at all (each
// costs the page two runs), short enough that re-measuring a run is cheap.
inline constexpr std::size_t kLongestUnbrokenRun = 64;
// A line shorter than this shares its page paragraph with the lines around
// it; a longer one is a paragraph of its own, as it loads a fifth faster.
inline constexpr std::size_t kLongestSharedLine = 16;
// Short enough that wrapping a paragraph takes milliseconds, long enough
// that an early line end shows only every few screen lines of a long line,
// and that a page of short lines has few paragraphs.
inline constexpr std::size_t kLongestPageLine = 1024;

class PageBreaks {
 public:
  PageBreaks() = default;
  // Breaks for `text`: no stretch of a line between its start, its breaks
  // and its end is longer than `longest`.  A break goes right after the last
  // space of a stretch, where a line may wrap anyway, and only inside a word
  // longer than that.
  // A page paragraph ends at the first line end or break at or past
  // `longestLine` characters from its start, and at the end of a line of
  // kLongestSharedLine characters or more; the other line ends are line
  // breaks inside it.
  explicit PageBreaks(std::string_view text, std::size_t longest = kLongestUnbrokenRun,
                      std::size_t longestLine = kLongestPageLine);

  // The text's positions a break is shown before, ascending.
  const std::vector<std::size_t>& Places() const { return places_; }
  // Those of them where the page starts a new paragraph, ascending.
  const std::vector<std::size_t>& LineStarts() const { return lineStarts_; }
  // The text's line ends ("\n") that end a page paragraph, ascending; the
  // page shows the others as line breaks inside one.
  const std::vector<std::size_t>& ParagraphEnds() const { return paragraphEnds_; }
  // Whether the page shows characters [begin, end) of `text` (the text the
  // breaks were made for) otherwise than the text holds them: a break or a
  // line break inside a paragraph among them.
  bool Alters(std::string_view text, std::size_t begin, std::size_t end) const;

  // Where a position of the text stands on the page (before a break shown
  // there), and the text's position of a page's character (a break counts as
  // the character after it).
  std::size_t Shown(std::size_t position) const;
  std::size_t Text(std::size_t shown) const;

 private:
  std::vector<std::size_t> places_;
  std::vector<std::size_t> lineStarts_;
  std::vector<std::size_t> paragraphEnds_;
};

}  // namespace corvane
