// Robustness fuzzing of the HTML-to-view conversion: any input converts
// without a crash or undefined behaviour, into text and runs that fit, in
// memory proportional to the input; the page breaks of its text fall as
// they should.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/testing/allocation_counter.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_breaks.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsOpenableScheme(std::string_view link) {
  for (std::string_view scheme : {"http:", "https:", "mailto:"}) {
    if (link.size() < scheme.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
      const char c = link[i];
      same = same && (c == scheme[i] || c == scheme[i] - 'a' + 'A');
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view html(reinterpret_cast<const char*>(data), size);
  const corvane::PeakAllocation peak;
  const corvane::FormattedText view = corvane::ConvertHtml(html);
  // The text, a few words a run and each format once; the constant is what
  // any conversion starts with.
  Check(peak.Bytes() <= 12 * size + 64 * 1024);
  Check(view.formats.size() <= view.runs.size() + 1);

  // A rule is the most a few input characters can grow to.
  Check(view.text.size() <= 7 * size);
  Check(view.text.find('\0') == std::string_view::npos);

  std::size_t next = 0;
  for (std::size_t i = 0; i < view.runs.size(); ++i) {
    const corvane::FormatRun& run = view.runs[i];
    Check(run.start == next && run.length > 0 && run.length <= view.text.size() - run.start);
    Check(run.format < view.formats.size());
    const corvane::CharFormat& format = view.FormatOf(run);
    Check(i == 0 || format != view.FormatOf(view.runs[i - 1]));
    Check(format.points >= 8 && format.points <= 36);
    Check(format.face.size() <= 31);
    Check(format.link < view.links.size());
    Check(format.link == corvane::kNoLink || IsOpenableScheme(view.LinkOf(format)));
    next = run.start + run.length;
  }
  Check(next == view.text.size());

  // The page's breaks leave no stretch of a line longer than the longest,
  // and the mapping goes both ways.
  const std::size_t longest = 1 + size % 80;
  const corvane::PageBreaks breaks(view.text, longest);
  std::size_t stretchStart = 0, placed = 0;
  for (std::size_t i = 0; i <= view.text.size(); ++i) {
    if (placed < breaks.Places().size() && breaks.Places()[placed] == i) {
      Check(i > stretchStart && view.text[i] != '\n');
      stretchStart = i;
      ++placed;
    }
    Check(i - stretchStart <= longest);
    Check(breaks.Text(breaks.Shown(i)) == i);
    if (i < view.text.size() && view.text[i] == '\n') stretchStart = i + 1;
  }
  Check(placed == breaks.Places().size());

  // A page paragraph ends at a line start only once it is long, at a line
  // end once it or the line is long, and none grows longer than a page line
  // and a stretch: Wine's RichEdit wraps a whole paragraph again whenever it
  // changes.
  const std::size_t longestLine = 4 + size % 200;
  const corvane::PageBreaks lines(view.text, longest, longestLine);
  std::size_t paragraphStart = 0, textLineStart = 0;
  auto lineStart = lines.LineStarts().begin();
  auto paragraphEnd = lines.ParagraphEnds().begin();
  for (std::size_t i = 0; i < view.text.size(); ++i) {
    if (lineStart != lines.LineStarts().end() && *lineStart == i) {
      Check(i - paragraphStart >= longestLine);
      paragraphStart = i;
      ++lineStart;
    }
    Check(i - paragraphStart <= longestLine + longest);
    if (view.text[i] != '\n') continue;
    const bool ends = paragraphEnd != lines.ParagraphEnds().end() && *paragraphEnd == i;
    Check(ends == (i + 1 - paragraphStart >= longestLine ||
                   i - textLineStart >= corvane::kLongestSharedLine));
    if (ends) {
      paragraphStart = i + 1;
      ++paragraphEnd;
    }
    textLineStart = i + 1;
  }
  Check(lineStart == lines.LineStarts().end() && paragraphEnd == lines.ParagraphEnds().end());
  return 0;
}
