#include "viewer/html/html_view_load.h"

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "viewer/html/html_view_document.h"
#include "viewer/html/html_view_marks.h"
#include "viewer/html/html_view_page.h"
#include "viewer/html/html_view_scroll.h"

namespace corvane {
namespace {

constexpr UINT kLoadTickMs = 10;
// The work of one tick, so that the window keeps answering the reader: no
// piece is begun that would likely end past it, though the first always is.
constexpr DWORD kLoadSliceMs = 25;
// One stream of the page at a time.
constexpr std::size_t kLoadPieceCharacters = 4096;
// A page changed in place loses its old text from the first difference on
// (Wine's RichEdit deletes in time that grows with the page for each run)
// and takes the new text at once; more is shown anew and loaded behind.
constexpr std::size_t kLargestCut = 2048;
constexpr std::size_t kLargestAddition = 16384;

// A page out of sight of at most this many lines is destroyed at once, which
// takes Wine's RichEdit a few milliseconds for every thousand of them (one of
// 100,000 lines held the window a third of a second); a longer one first
// loses its end, this many lines a piece, as many pieces a tick as its slice
// holds.
constexpr LONG kMostLinesDestroyedAtOnce = 10000;
constexpr LONG kLinesCutAtOnce = 250;

// No line of the view is less high, so this many lines cover the view.
constexpr LONG kSmallestLineHeight = 8;
constexpr std::size_t kFewestSightLines = 40;
// Lines of the page may be long: the small page is cut to this many
// characters around the reader's place.
constexpr std::size_t kLargestSmallPage = 4096;

std::size_t SightLines(HWND view) {
  RECT client{};
  GetClientRect(view, &client);
  return std::max(kFewestSightLines, static_cast<std::size_t>(client.bottom / kSmallestLineHeight));
}

std::size_t DocumentLength(const HtmlViewState& state) { return state.document.text.size(); }

bool HoldsWholeDocument(const HtmlViewState& state, TextRange range) {
  return range.begin == 0 && range.end == DocumentLength(state);
}

std::vector<TextMark> MarksIn(const HtmlViewState& state, TextRange range) {
  const HtmlViewHighlight& highlight = state.highlight;
  return OccurrenceMarks(highlight.occurrences, highlight.query.size(), highlight.current, range);
}

// The page's line that holds the position.
TextRange PageLine(const HtmlViewState& state, std::size_t position) {
  return LinesAround(state.document.text, position, 0, 0, state.breaks.LineStarts());
}

// The lines around what the reader is to see: a sight's worth above and
// below, and at the end only above, as far as kLargestSmallPage characters
// and their share of runs reach.
TextRange SmallPageRange(HWND view, const HtmlViewState& state, std::size_t position) {
  const std::size_t lines = SightLines(view);
  const std::size_t length = DocumentLength(state);
  TextRange range = LinesAround(state.document.text, position, lines,
                                position >= length ? 0 : lines, state.breaks.LineStarts());
  range = RunsAround(state.document, range, position, kLargestSmallPage / kCharactersPerRun);
  if (range.end - range.begin <= kLargestSmallPage) return range;
  const TextRange own = PageLine(state, position);
  const std::size_t from =
      position - std::min(position, position >= length ? kLargestSmallPage : kLargestSmallPage / 2);
  const std::size_t to = std::min(length, from + kLargestSmallPage);
  range.begin = std::max(range.begin, std::min(own.begin, PageLine(state, from).end));
  range.end = std::min(range.end, std::max(own.end, PageLine(state, to).begin));
  return range;
}

// Pages change whole lines, so that an occurrence a change extends is marked
// whole.
std::size_t LineStart(const HtmlViewState& state, std::size_t position) {
  return PageLine(state, position).begin;
}

// A hidden page holding characters [range) of the document.
HWND NewPage(HWND view, const HtmlViewState& state, TextRange range) {
  HWND page = CreatePage(view);
  if (!page) return nullptr;
  PutOnPage(page, 0, state.document, state.breaks, range, MarksIn(state, range));
  SetPageBackground(page, state.document);
  return page;
}

void Retire(HWND view, HtmlViewState& state, HWND page) {
  ShowWindow(page, SW_HIDE);
  state.retired.push_back(page);
  SetTimer(view, kHtmlViewLoadTimer, kLoadTickMs, nullptr);
}

// The page takes the place of the one in sight, with the keyboard focus.
void Reveal(HWND view, HtmlViewState& state, HWND page, TextRange range) {
  HWND old = state.page;
  const bool focused = old && GetFocus() == old;
  state.page = page;
  state.pageRange = range;
  ShowWindow(page, SW_SHOW);
  if (focused) SetFocus(page);
  if (old) Retire(view, state, old);
}

void StopLoading(HWND view, HtmlViewState& state) {
  if (state.loading) Retire(view, state, state.loading);
  state.loading = nullptr;
  state.loaded = 0;
}

void StartLoading(HWND view, HtmlViewState& state) {
  StopLoading(view, state);
  state.loading = CreatePage(view);
  if (!state.loading) return;
  SetPageBackground(state.loading, state.document);
  SetTimer(view, kHtmlViewLoadTimer, kLoadTickMs, nullptr);
}

// The loaded page takes the small page's place, the reader's line on top.
void RevealLoadedPage(HWND view, HtmlViewState& state) {
  Sight sight = SightOf(state);
  sight.atEnd = false;
  HWND page = state.loading;
  state.loading = nullptr;
  const TextRange whole{0, DocumentLength(state)};
  RestoreSight(state, page, whole, sight);
  Reveal(view, state, page, whole);
}

// Does pieces of work until `piece` answers that none is left, beginning
// none that would likely end past the tick's slice (the first always is).
template <typename Piece>
void WorkForASlice(Piece piece) {
  const DWORD began = GetTickCount();
  DWORD longestPiece = 0;
  for (DWORD spent = 0; spent + longestPiece < kLoadSliceMs;) {
    if (!piece()) return;
    const DWORD now = GetTickCount() - began;
    longestPiece = std::max(longestPiece, now - spent);
    spent = now;
  }
}

void LoadMore(HWND view, HtmlViewState& state) {
  const std::size_t length = DocumentLength(state);
  WorkForASlice([&state, length] {
    if (state.loaded == length) return false;
    const TextRange piece{state.loaded,
                          PagePieceEnd(state.document, state.loaded, length, kLoadPieceCharacters,
                                       state.breaks.LineStarts())};
    PutOnPage(state.loading, PageOffset(state, TextRange{0, length}, piece.begin), state.document,
              state.breaks, piece, MarksIn(state, piece));
    state.loaded = piece.end;
    return true;
  });
  if (state.loaded == length) RevealLoadedPage(view, state);
}

// Destroys the last retired page, or cuts the end of a long one.
void ReleaseRetired(HtmlViewState& state) {
  HWND page = state.retired.back();
  WorkForASlice([&state, page] {
    const LONG lines = static_cast<LONG>(SendMessageA(page, EM_GETLINECOUNT, 0, 0));
    if (lines <= kMostLinesDestroyedAtOnce) {
      DestroyWindow(page);
      state.retired.pop_back();
      return false;
    }
    const LONG keep = std::max(lines - kLinesCutAtOnce, kMostLinesDestroyedAtOnce);
    CutPageEnd(page, static_cast<LONG>(SendMessageA(page, EM_LINEINDEX, keep, 0)));
    return true;
  });
}

}  // namespace

Sight SightOf(const HtmlViewState& state) {
  Sight sight;
  if (!state.page) return sight;
  sight.atEnd = state.pageRange.end == DocumentLength(state) && IsScrolledToEnd(state.page);
  const PagePlace top = TopOfSight(state.page);
  sight.character = DocumentPosition(state, state.pageRange, top.character);
  sight.top = top.top;
  CHARRANGE selection{};
  SendMessageA(state.page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  sight.selectionBegin = DocumentPosition(state, state.pageRange, selection.cpMin);
  sight.selectionEnd = DocumentPosition(state, state.pageRange, selection.cpMax);
  return sight;
}

void RestoreSight(const HtmlViewState& state, HWND page, TextRange range, const Sight& sight) {
  CHARRANGE selection{PageOffset(state, range, sight.selectionBegin),
                      PageOffset(state, range, sight.selectionEnd)};
  SendMessageA(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (sight.atEnd) {
    ScrollLastLineIntoView(page);
  } else {
    ScrollToPlace(page, PagePlace{PageOffset(state, range, sight.character), sight.top});
  }
}

LONG PageOffset(const HtmlViewState& state, TextRange range, std::size_t position) {
  position = std::min(std::max(position, range.begin), range.end);
  return static_cast<LONG>(state.breaks.Shown(position) - state.breaks.Shown(range.begin));
}

std::size_t DocumentPosition(const HtmlViewState& state, TextRange range, LONG offset) {
  const std::size_t shown = state.breaks.Shown(range.begin) + static_cast<std::size_t>(offset);
  return std::min(state.breaks.Text(shown), range.end);
}

void ShowDocument(HWND view, HtmlViewState& state, const Sight& sight) {
  StopLoading(view, state);
  const TextRange range =
      SmallPageRange(view, state, sight.atEnd ? DocumentLength(state) : sight.character);
  HWND page = NewPage(view, state, range);
  if (!page) return;
  RestoreSight(state, page, range, sight);
  Reveal(view, state, page, range);
  if (!HoldsWholeDocument(state, range)) StartLoading(view, state);
}

void OnLoadTimer(HWND view, HtmlViewState& state) {
  if (!state.retired.empty()) {
    ReleaseRetired(state);
  } else if (state.loading) {
    LoadMore(view, state);
  }
  if (state.retired.empty() && !state.loading) KillTimer(view, kHtmlViewLoadTimer);
}

void BringIntoPage(HWND view, HtmlViewState& state, std::size_t begin, std::size_t end) {
  if (state.pageRange.begin <= begin && end <= state.pageRange.end) return;
  const TextRange range = SmallPageRange(view, state, begin);
  if (HWND page = NewPage(view, state, range)) Reveal(view, state, page, range);
}

bool CanPatchPages(const HtmlViewState& state, std::size_t same, std::size_t oldLength) {
  same = LineStart(state, same);
  const TextRange& shown = state.pageRange;
  if (same < shown.end &&
      (shown.end != oldLength || same < shown.begin || oldLength - same > kLargestCut))
    return false;
  if (shown.end == oldLength && DocumentLength(state) - same > kLargestAddition) return false;
  return !state.loading || same >= state.loaded || state.loaded - same <= kLargestCut;
}

void PatchPages(HtmlViewState& state, std::size_t same, std::size_t oldLength) {
  same = LineStart(state, same);
  TextRange& shown = state.pageRange;
  if (shown.end == oldLength) {
    const TextRange fresh{same, DocumentLength(state)};
    PutOnPage(state.page, PageOffset(state, shown, same), state.document, state.breaks, fresh,
              MarksIn(state, fresh));
    shown.end = fresh.end;
  }
  if (state.loading && same < state.loaded) {
    PutOnPage(state.loading, PageOffset(state, TextRange{0, same}, same), state.document,
              state.breaks, TextRange{same, same}, {});
    state.loaded = same;
  }
}

void MarkDocumentText(HtmlViewState& state, std::size_t begin, std::size_t end, Rgb background) {
  const TextRange& shown = state.pageRange;
  if (shown.begin <= begin && end <= shown.end) {
    MarkPageText(state.page, PageOffset(state, shown, begin), PageOffset(state, shown, end),
                 background);
  }
  if (state.loading && end <= state.loaded) {
    const TextRange loaded{0, state.loaded};
    MarkPageText(state.loading, PageOffset(state, loaded, begin), PageOffset(state, loaded, end),
                 background);
  }
}

}  // namespace corvane
