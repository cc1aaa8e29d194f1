// Which parts of a long document the HTML view puts on a page, and when:
// whole lines around the place the reader sees first, the pieces the rest
// arrives in, and how much of a reloaded document is still the one shown.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "viewer/html/html_to_view.h"

namespace corvane {

// Characters [begin, end) of a document's text.
struct TextRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Lines of text end after each "\n"; on a page also before each of
// `lineStarts` (ascending, see PageBreaks::LineStarts).

// Whole lines: from `before` lines above the line that holds `position` to
// `after` lines below it.  The end of the text belongs to the last line.
TextRange LinesAround(std::string_view text, std::size_t position, std::size_t before,
                      std::size_t after, const std::vector<std::size_t>& lineStarts = {});

// Where a piece that starts at `begin` ends: at the line end that reaches
// `size` characters, or at `limit` when that comes first.
std::size_t PieceEnd(std::string_view text, std::size_t begin, std::size_t limit, std::size_t size,
                     const std::vector<std::size_t>& lineStarts = {});

// A piece of a page: PieceEnd over the document's text, and cut sooner so
// that it holds at most `size` / kCharactersPerRun formatting runs and as
// many lines, each of which costs Wine's RichEdit about as much as that many
// characters (a line is a screen row and a run of its own at least: a piece
// of 2,048 one-letter lines took it a tenth of a second).
inline constexpr std::size_t kCharactersPerRun = 16;
std::size_t PagePieceEnd(const FormattedText& text, std::size_t begin, std::size_t limit,
                         std::size_t size, const std::vector<std::size_t>& lineStarts);

// The range cut to at most `most` formatting runs (from the run that holds
// the position on, half of them before it; at the text's end all of them
// before it), so that the page holding it is quickly made.
TextRange RunsAround(const FormattedText& text, TextRange range, std::size_t position,
                     std::size_t most);

// The first character at which `b` differs from `a` in text or format; the
// length of the shorter text when the other one begins with it.
std::size_t FirstDifference(const FormattedText& a, const FormattedText& b);

// Where a character of `before` stands in `after`, the same text from `same`
// on changed: in place before the change, moved by the change's growth when it
// lies in the common end of the two texts, and otherwise held in place (as
// near as `after` allows).
std::size_t MovedPosition(std::string_view before, std::string_view after, std::size_t same,
                          std::size_t position);

}  // namespace corvane
