// What a click at a point of an HTML view would open, for its tests.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/html/html_view_links.h"
#include "viewer/html/html_view_state.h"

namespace corvane {

// The target of the link under a point of an HTML view, empty when none.
inline std::string HtmlViewLinkAt(HWND view, POINT client) {
  const HtmlViewState* state = HtmlViewStateOf(view);
  if (!state || !state->page) return std::string();
  const int index = LinkIndexAtPoint(state->page, *state, state->pageRange, client);
  return index < 0 ? std::string()
                   : state->document.links[state->links[static_cast<std::size_t>(index)].target];
}

}  // namespace corvane
