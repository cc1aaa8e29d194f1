#include "viewer/search/search_texts.h"

#include <algorithm>
#include <cstdio>

#include "viewer/days/history_day.h"

namespace corvane {
namespace {

constexpr std::string_view kCut = "...";
// A word cut by the window is completed, but never by more than this, so a
// line-long address still leaves an excerpt.
constexpr std::size_t kMaxWidening = 20;

struct Span {
  std::size_t begin;
  std::size_t end;
};

// The line that holds offset, looked for only from `from` on (the end of
// the line of an earlier offset).
Span LineAround(std::string_view text, std::size_t from, std::size_t offset) {
  std::size_t begin = offset;
  while (begin > from && text[begin - 1] != '\n') --begin;
  const std::size_t after = text.find('\n', offset);
  return {begin, after == std::string_view::npos ? text.size() : after};
}

// kRowTextWidth characters centred on the match, inside the line (or the
// match alone when it is wider).
Span WindowAround(Span line, std::size_t offset, std::size_t length) {
  if (length >= kRowTextWidth) return {offset, offset + length};
  const std::size_t slack = kRowTextWidth - length;
  std::size_t begin = offset - std::min(slack / 2, offset - line.begin);
  std::size_t end = begin + kRowTextWidth;
  if (end > line.end) {
    end = line.end;
    begin = end - kRowTextWidth;
  }
  return {begin, end};
}

bool IsSpace(char c) { return c == ' '; }

Span WidenedToWords(std::string_view text, Span line, Span window, Span match) {
  for (std::size_t n = 0; n < kMaxWidening && window.begin > line.begin &&
                          !IsSpace(text[window.begin - 1]) && !IsSpace(text[window.begin]);
       ++n) {
    --window.begin;
  }
  for (std::size_t n = 0; n < kMaxWidening && window.end < line.end && !IsSpace(text[window.end]) &&
                          !IsSpace(text[window.end - 1]);
       ++n) {
    ++window.end;
  }
  while (window.begin < match.begin && IsSpace(text[window.begin])) ++window.begin;
  while (window.end > match.end && IsSpace(text[window.end - 1])) --window.end;
  return window;
}

std::string MatchesInDays(std::size_t matches, std::size_t days, bool capped) {
  const std::string count = GroupedNumber(matches) + (capped         ? "+ matches"
                                                      : matches == 1 ? " match"
                                                                     : " matches");
  return count + " in " + DaysText(days);
}

std::string RowText(std::string_view text, Span line, std::size_t offset, std::size_t length) {
  if (line.end - line.begin <= kRowTextWidth)
    return std::string(text.substr(line.begin, line.end - line.begin));
  const Span match{offset, offset + length};
  const Span shown = WidenedToWords(text, line, WindowAround(line, offset, length), match);
  std::string row;
  if (shown.begin > line.begin) row += kCut;
  row += text.substr(shown.begin, shown.end - shown.begin);
  if (shown.end < line.end) row += kCut;
  return row;
}

}  // namespace

std::vector<std::string> MatchRowTexts(std::string_view text,
                                       const std::vector<std::size_t>& offsets, std::size_t count,
                                       std::size_t length) {
  std::vector<std::string> rows;
  rows.reserve(count);
  Span line{0, 0};
  for (std::size_t i = 0; i < count && i < offsets.size(); ++i) {
    if (i == 0 || offsets[i] > line.end) line = LineAround(text, line.end, offsets[i]);
    rows.push_back(RowText(text, line, offsets[i], length));
  }
  return rows;
}

std::string SearchingText(std::size_t matches, std::size_t days) {
  return "Searching... " + MatchesInDays(matches, days, false);
}

std::string FinishedText(std::size_t matches, std::size_t days, bool capped, double seconds,
                         std::size_t unreadDays) {
  char time[32];
  std::snprintf(time, sizeof time, " (%.2f s)", seconds);
  const std::string unread =
      unreadDays == 0 ? "" : " (" + DaysText(unreadDays) + " could not be read)";
  return (matches == 0 ? std::string("No matches") : MatchesInDays(matches, days, capped)) +
         unread + time;
}

std::string IndexStatusText(std::size_t indexed, std::size_t total) {
  if (indexed < total) return "Indexing: " + GroupedNumber(indexed) + " of " + DaysText(total);
  return "Ready: " + DaysText(total) + " indexed";
}

}  // namespace corvane
