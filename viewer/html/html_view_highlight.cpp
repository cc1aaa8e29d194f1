#include "viewer/html/html_view_state.h"

#include <richedit.h>

#include "viewer/html/html_view_load.h"
#include "viewer/html/html_view_marks.h"
#include "viewer/html/html_view_page.h"
#include "viewer/html/html_view_scroll.h"

namespace corvane {
namespace {

std::size_t OccurrenceEnd(const HtmlViewHighlight& highlight, int index) {
  return highlight.occurrences[static_cast<std::size_t>(index)] + highlight.query.size();
}

void MarkOccurrence(HtmlViewState& state, int index, Rgb background) {
  const HtmlViewHighlight& highlight = state.highlight;
  MarkDocumentText(state, highlight.occurrences[static_cast<std::size_t>(index)],
                   OccurrenceEnd(highlight, index), background);
}

}  // namespace

void FindOccurrences(HtmlViewState& state) {
  HtmlViewHighlight& highlight = state.highlight;
  highlight.occurrences = FindInLines(state.document.text, highlight.query, highlight.fold);
  if (highlight.current >= static_cast<int>(highlight.occurrences.size())) highlight.current = -1;
}

void SetHighlight(HWND view, HtmlViewState& state, const std::string& query,
                  const FoldTable& fold) {
  HtmlViewHighlight& highlight = state.highlight;
  if (query == highlight.query && fold == highlight.fold) return;
  highlight.query = query;
  highlight.fold = fold;
  highlight.current = -1;
  FindOccurrences(state);
  // The marks are part of the pages' text: the document is shown anew.
  if (state.page) ShowDocument(view, state, SightOf(state));
}

bool ShowOccurrence(HWND view, HtmlViewState& state, int index) {
  HtmlViewHighlight& highlight = state.highlight;
  if (index < 0 || index >= static_cast<int>(highlight.occurrences.size()) || !state.page)
    return false;
  const std::size_t begin = highlight.occurrences[static_cast<std::size_t>(index)];
  const std::size_t end = OccurrenceEnd(highlight, index);
  BringIntoPage(view, state, begin, end);
  PageFreeze freeze(state.page);
  // Marking moves the page to each mark; the reader's place comes back.
  const PagePlace place = TopOfSight(state.page);
  if (highlight.current >= 0) MarkOccurrence(state, highlight.current, kOccurrenceBackground);
  highlight.current = index;
  MarkOccurrence(state, index, kCurrentOccurrenceBackground);
  ScrollToPlace(state.page, place);
  const LONG pageBegin = PageOffset(state, state.pageRange, begin);
  const LONG pageEnd = PageOffset(state, state.pageRange, end);
  ScrollIntoSight(state.page, pageBegin, pageEnd);
  CHARRANGE occurrence{pageBegin, pageEnd};
  SendMessageA(state.page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&occurrence));
  return true;
}

bool NextOccurrence(HWND view, HtmlViewState& state, bool backwards) {
  if (!state.page) return false;
  const std::size_t top =
      DocumentPosition(state, state.pageRange, TopOfSight(state.page).character);
  const std::size_t bottom =
      DocumentPosition(state, state.pageRange, CharacterBelowSight(state.page));
  const HtmlViewHighlight& highlight = state.highlight;
  return ShowOccurrence(
      view, state,
      StepOccurrence(highlight.occurrences, highlight.current, top, bottom, backwards));
}

}  // namespace corvane
