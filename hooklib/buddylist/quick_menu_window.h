// The quick-menu button on the Buddy List window: its icons, tooltip,
// painting and mouse handling.
#pragma once

#include <windows.h>

#include "hooklib/buddylist/buddy_list_window_state.h"

namespace corvane {

void LoadQuickMenuIcons(BuddyListWindowState& state);
void DestroyQuickMenuIcons(BuddyListWindowState& state);

// A tooltip reading "Corvane" that shows at once over the button.
void CreateQuickMenuTooltip(HWND window, BuddyListWindowState& state);

// Draws the button's icon for its state at the anchor and moves the
// tooltip's rectangle along.
void PaintQuickMenuButton(HDC dc, BuddyListWindowState& state, int anchorX, int anchorY);

// WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP and WM_MOUSELEAVE on the Buddy
// List; true when the host must not see the message.
bool OnQuickMenuMouse(HWND window, UINT message, LPARAM lParam, BuddyListWindowState& state,
                      int anchorX, int anchorY);

// WM_CAPTURECHANGED and WM_CANCELMODE: a held button lets go of the mouse.
void LetGoOfQuickMenuButton(HWND window, BuddyListWindowState& state, int anchorX, int anchorY);

}  // namespace corvane
