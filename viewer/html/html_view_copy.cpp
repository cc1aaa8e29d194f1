#include "viewer/html/html_view_state.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "viewer/html/html_view_load.h"

namespace corvane {
namespace {

bool HoldsBreaks(const HtmlViewState& state, TextRange range) {
  return state.breaks.Alters(state.document.text, range.begin, range.end);
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool PutOnClipboard(HWND owner, const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return false;
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns the memory once it took it.
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  CloseClipboard();
  return true;
}

// EM_GETLINE: the page's line `line` (from its first character to the next
// line's), its text ending in "\r" where a line end of the day ends it, as
// RichEdit answers, copied into the buffer whose first word gives its size,
// without a terminating zero.
bool AnswerLine(const HtmlViewState& state, WPARAM line, LPARAM lParam, LRESULT& result) {
  HWND page = state.page;
  const LRESULT start = SendMessageA(page, EM_LINEINDEX, line, 0);
  if (start < 0) return false;
  const LRESULT next = SendMessageA(page, EM_LINEINDEX, line + 1, 0);
  const TextRange& range = state.pageRange;
  const std::size_t begin = DocumentPosition(state, range, static_cast<LONG>(start));
  const std::size_t end =
      next < 0 ? range.end : DocumentPosition(state, range, static_cast<LONG>(next));
  if (!HoldsBreaks(state, TextRange{begin, end})) return false;
  std::string text = state.document.text.substr(begin, end - begin);
  for (char& c : text) {
    if (c == '\n') c = '\r';
  }
  char* buffer = reinterpret_cast<char*>(lParam);
  if (!buffer) return false;
  WORD room = 0;
  std::memcpy(&room, buffer, sizeof room);
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(room));
  std::memcpy(buffer, text.data(), copied);
  result = static_cast<LRESULT>(copied);
  return true;
}

}  // namespace

bool CopyWithoutBreaks(HWND page, const HtmlViewState& state) {
  CHARRANGE selection{};
  SendMessageA(page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const TextRange chosen{DocumentPosition(state, state.pageRange, selection.cpMin),
                         DocumentPosition(state, state.pageRange, selection.cpMax)};
  if (chosen.begin >= chosen.end || !HoldsBreaks(state, chosen)) return false;
  const std::string_view text(state.document.text);
  PutOnClipboard(page, WithCrLf(text.substr(chosen.begin, chosen.end - chosen.begin)));
  return true;
}

bool AnswerTextWithoutBreaks(const HtmlViewState& state, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) {
  if (message == EM_GETLINE) return AnswerLine(state, wParam, lParam, result);
  if ((message != WM_GETTEXT && message != WM_GETTEXTLENGTH) ||
      !HoldsBreaks(state, state.pageRange))
    return false;
  const TextRange& range = state.pageRange;
  const std::string_view shown =
      std::string_view(state.document.text).substr(range.begin, range.end - range.begin);
  // Counted, not copied: a length query on a page of megabytes stays cheap.
  if (message == WM_GETTEXTLENGTH) {
    result = static_cast<LRESULT>(shown.size() + std::count(shown.begin(), shown.end(), '\n'));
    return true;
  }
  const std::string text = WithCrLf(shown);
  char* buffer = reinterpret_cast<char*>(lParam);
  if (!buffer || wParam == 0) {
    result = 0;
    return true;
  }
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(wParam) - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  result = static_cast<LRESULT>(copied);
  return true;
}

}  // namespace corvane
