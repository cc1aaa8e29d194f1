// The texts the search window shows: a match's row text and the status
// line, as plain functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The search stops when a further match would make more rows than this.
inline constexpr std::size_t kMaxSearchRows = 5000000;

// The Text column of each occurrence at text[offset, offset + length), for
// the first `count` offsets (ascending, as DaySearch finds them): the line
// that holds it, or, for a line longer than kRowTextWidth characters, about
// that many characters around it widened to whole words, with "..." where
// the line was cut.  Each line is looked for once, however many
// occurrences it holds.
inline constexpr std::size_t kRowTextWidth = 80;
std::vector<std::string> MatchRowTexts(std::string_view text,
                                       const std::vector<std::size_t>& offsets, std::size_t count,
                                       std::size_t length);

// "Searching... 1,234 matches in 56 days" while rows still arrive.
std::string SearchingText(std::size_t matches, std::size_t days);

// When the search has ended: "37 matches in 12 days (0.21 s)", "1 match in
// 1 day (0.05 s)", "No matches (0.40 s)", or, when it stopped at the cap,
// "5,000,000+ matches in 3 days (0.12 s)"; with the days that could not be
// read before the time: "No matches (2 days could not be read) (0.05 s)".
std::string FinishedText(std::size_t matches, std::size_t days, bool capped, double seconds,
                         std::size_t unreadDays = 0);

// The search index's progress, while the window shows no search: "Indexing:
// 1,234 of 25,600 days" while it works, "Ready: 25,600 days indexed" when
// it holds every day file of the history folder.
std::string IndexStatusText(std::size_t indexed, std::size_t total);

}  // namespace corvane
