#include "hooklib/conversation/conversation_window.h"

#include "common/exception_boundary.h"
#include "hooklib/core/window_subclass.h"

namespace corvane {
namespace {

// The host's command to its IM text control that clears the window.
constexpr WPARAM kHostCmdClearWindow = 20731;

constexpr char kNotClearedText[] =
    "Your history could not be written, so this window was not cleared.\n\n"
    "Nothing is lost: Corvane keeps trying to write it.";

// The host's clear, confirmed, with the conversation logged first and a new
// session block afterwards.  The host never sees the command.
void ConfirmedClear(HWND control) {
  const HWND imWindow = GetParent(GetParent(control));
  if (MessageBoxA(imWindow, "Are you sure you want to clear all the content from this window?",
                  "Clear Window?", MB_OKCANCEL) != IDOK) {
    return;
  }
  if (!ClearAfterWriting(imWindow, control))
    MessageBoxA(imWindow, kNotClearedText, "Corvane Error", MB_OK);
}

}  // namespace

// The host gets every message whatever our handling did.
LRESULT CALLBACK IMWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RunContained([&] { HandleConversationMessage(window, message, wParam, lParam); });
  return CallSavedProc(kRowIMWindow, window, message, wParam, lParam);
}

LRESULT CALLBACK ChatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RunContained([&] { HandleConversationMessage(window, message, wParam, lParam); });
  return CallSavedProc(kRowChatWindow, window, message, wParam, lParam);
}

LRESULT CALLBACK IMTextControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && wParam == kHostCmdClearWindow && lParam == 0) {
    // Consumed even when the clear failed half way: the host's own clear
    // would lose the text unlogged.
    RunContained([window] { ConfirmedClear(window); });
    return 0;
  }
  return CallSavedProc(kRowIMTextControl, window, message, wParam, lParam);
}

// The frame keeps the host's behaviour; it is subclassed so that no other
// row can claim it.
LRESULT CALLBACK IMTextFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowIMTextFrame, window, message, wParam, lParam);
}

}  // namespace corvane
