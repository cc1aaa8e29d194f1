#include "viewer/html/html_view_ranges.h"

#include <algorithm>
#include <vector>

namespace corvane {
namespace {

using Positions = std::vector<std::size_t>;

std::size_t LineStart(std::string_view text, const Positions& lineStarts, std::size_t position) {
  if (position == 0) return 0;
  const std::size_t lineEnd = text.rfind('\n', position - 1);
  const std::size_t start = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
  const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), position);
  return after == lineStarts.begin() ? start : std::max(start, *(after - 1));
}

// Past the line end of the line that holds `position`, or the text's end.
std::size_t NextLineStart(std::string_view text, const Positions& lineStarts,
                          std::size_t position) {
  const std::size_t lineEnd = text.find('\n', position);
  const std::size_t next = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
  const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), position);
  return after == lineStarts.end() ? next : std::min(next, *after);
}

// Link indices belong to their own document: the targets are compared.
bool SameFormat(const FormattedText& a, const FormatRun& runA, const FormattedText& b,
                const FormatRun& runB) {
  CharFormat formatA = a.FormatOf(runA);
  const CharFormat& formatB = b.FormatOf(runB);
  if (a.LinkOf(formatA) != b.LinkOf(formatB)) return false;
  formatA.link = formatB.link;
  return formatA == formatB;
}

}  // namespace

TextRange LinesAround(std::string_view text, std::size_t position, std::size_t before,
                      std::size_t after, const Positions& lineStarts) {
  position = std::min(position, text.size());
  TextRange lines{LineStart(text, lineStarts, position), NextLineStart(text, lineStarts, position)};
  for (std::size_t n = 0; n < before && lines.begin > 0; ++n)
    lines.begin = LineStart(text, lineStarts, lines.begin - 1);
  for (std::size_t n = 0; n < after && lines.end < text.size(); ++n)
    lines.end = NextLineStart(text, lineStarts, lines.end);
  return lines;
}

std::size_t PieceEnd(std::string_view text, std::size_t begin, std::size_t limit, std::size_t size,
                     const Positions& lineStarts) {
  if (limit - begin <= size) return limit;
  return std::min(NextLineStart(text, lineStarts, begin + size), limit);
}

std::size_t PagePieceEnd(const FormattedText& text, std::size_t begin, std::size_t limit,
                         std::size_t size, const Positions& lineStarts) {
  std::size_t end = PieceEnd(text.text, begin, limit, size, lineStarts);
  const std::size_t most = std::max<std::size_t>(1, size / kCharactersPerRun);
  std::size_t lineEnd = begin;
  for (std::size_t n = 0; n < most && lineEnd < end; ++n) {
    const std::size_t next = text.text.find('\n', lineEnd);
    if (next == std::string::npos) break;
    lineEnd = next + 1;
  }
  if (lineEnd > begin && lineEnd < end) end = lineEnd;
  auto run =
      std::upper_bound(text.runs.begin(), text.runs.end(), begin,
                       [](std::size_t position, const FormatRun& r) { return position < r.start; });
  if (static_cast<std::size_t>(text.runs.end() - run) < most) return end;
  return std::min(end, run[most - 1].start);
}

TextRange RunsAround(const FormattedText& text, TextRange range, std::size_t position,
                     std::size_t most) {
  const auto& runs = text.runs;
  if (runs.empty() || range.begin >= range.end || most == 0) return range;
  const auto runAt = [&runs](std::size_t p) {
    const auto after = [](std::size_t q, const FormatRun& r) { return q < r.start; };
    return static_cast<std::size_t>(std::upper_bound(runs.begin(), runs.end(), p, after) -
                                    runs.begin()) -
           1;
  };
  const std::size_t first = runAt(range.begin);
  const std::size_t last = runAt(range.end - 1);
  if (last - first < most) return range;
  const std::size_t at = runAt(std::min(position, range.end - 1));
  const std::size_t before = position >= text.text.size() ? most - 1 : most / 2;
  const std::size_t from = std::max(first, at - std::min(at, before));
  const std::size_t to = std::min(last, from + most - 1);
  range.begin = std::max(range.begin, runs[from].start);
  range.end = std::min(range.end, runs[to].start + runs[to].length);
  return range;
}

std::size_t FirstDifference(const FormattedText& a, const FormattedText& b) {
  const std::size_t common = std::min(a.text.size(), b.text.size());
  const std::size_t same = static_cast<std::size_t>(
      std::mismatch(a.text.begin(), a.text.begin() + common, b.text.begin()).first -
      a.text.begin());
  auto runA = a.runs.begin();
  auto runB = b.runs.begin();
  std::size_t position = 0;
  while (position < same && runA != a.runs.end() && runB != b.runs.end()) {
    if (!SameFormat(a, *runA, b, *runB)) return position;
    const std::size_t endA = runA->start + runA->length;
    const std::size_t endB = runB->start + runB->length;
    position = std::min(endA, endB);
    if (endA == position) ++runA;
    if (endB == position) ++runB;
  }
  return same;
}

std::size_t MovedPosition(std::string_view before, std::string_view after, std::size_t same,
                          std::size_t position) {
  position = std::min(position, before.size());
  if (position <= same) return std::min(position, after.size());
  const std::size_t most =
      std::min(before.size(), after.size()) - std::min(same, std::min(before.size(), after.size()));
  std::size_t common = 0;
  while (common < most && before[before.size() - 1 - common] == after[after.size() - 1 - common])
    ++common;
  if (position >= before.size() - common)
    return std::min(position - before.size() + after.size(), after.size());
  return std::min(position, after.size());
}

}  // namespace corvane
