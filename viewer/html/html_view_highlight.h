// Highlighting a query's occurrences in the HTML view, and moving from one
// to the next.  The view's own messages call these under its guard.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/html/html_view_state.h"

namespace corvane {

// The occurrences of the highlighted query in the state's document (after
// it changed); the current one stays when the document still has as many.
void FindOccurrences(HtmlViewState& state);

void SetHighlight(HWND view, HtmlViewState& state, const std::string& query, const FoldTable& fold);
bool ShowOccurrence(HWND view, HtmlViewState& state, int index);
bool NextOccurrence(HWND view, HtmlViewState& state, bool backwards);

}  // namespace corvane
