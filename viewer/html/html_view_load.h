// Showing a document in the HTML view: the part the reader looks at goes on
// a small page at once, and the whole document is loaded behind it into a
// hidden page, a piece per timer tick, which takes the small page's place
// when it is complete, with the same line at the top.  Wine's RichEdit
// spends about 20 microseconds on each formatting run, most of a second on
// a large day, and cannot put text above what it holds quickly: each
// character inserted shifts every line below it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <limits>

#include "viewer/html/html_view_state.h"

namespace corvane {

// The timer of a view that is loading its document or dropping old pages.
inline constexpr UINT_PTR kHtmlViewLoadTimer = 1;

// What the reader sees, in the document's characters.
struct Sight {
  bool atEnd = true;          // the last line in sight, following the end
  std::size_t character = 0;  // otherwise: the first character of the top line
  LONG top = 0;               // and where that line's top is drawn
  std::size_t selectionBegin = std::numeric_limits<std::size_t>::max();  // past the end: the end
  std::size_t selectionEnd = std::numeric_limits<std::size_t>::max();
};

// The reader's sight of the page in sight.
Sight SightOf(const HtmlViewState& state);

// Puts a page that holds characters [range) of the document where the sight
// has it, as far as the page goes.
void RestoreSight(const HtmlViewState& state, HWND page, TextRange range, const Sight& sight);

// Where a character of the document stands on a page that holds characters
// [range) of it (clamped to the page), and the document's character at a
// place on that page: the page shows breaks the document does not hold.
LONG PageOffset(const HtmlViewState& state, TextRange range, std::size_t position);
std::size_t DocumentPosition(const HtmlViewState& state, TextRange range, LONG offset);

// Shows the state's document as the sight has it: new pages for it, with the
// highlighted occurrences marked; the part out of sight is loaded behind.
void ShowDocument(HWND view, HtmlViewState& state, const Sight& sight);

// Each timer tick: destroys a page out of sight (or cuts a long one's end),
// or else loads the next pieces of the document behind the page in sight; the loaded page takes its
// place when it is complete.
void OnLoadTimer(HWND view, HtmlViewState& state);

// Makes the page in sight hold characters [begin, end) of the document:
// while the document is still loading, a new small page around them takes
// its place.
void BringIntoPage(HWND view, HtmlViewState& state, std::size_t begin, std::size_t end);

// After the document changed from its first `same` characters on (the old
// one had `oldLength`): whether the pages can drop their old text from there
// and take the new for less than showing the document anew costs; and doing
// so (the page in sight is best kept from drawing meanwhile).
bool CanPatchPages(const HtmlViewState& state, std::size_t same, std::size_t oldLength);
void PatchPages(HtmlViewState& state, std::size_t same, std::size_t oldLength);

// Characters [begin, end) of the document take the background wherever a
// page holds them.
void MarkDocumentText(HtmlViewState& state, std::size_t begin, std::size_t end, Rgb background);

}  // namespace corvane
