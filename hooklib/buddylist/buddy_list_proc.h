// Subclass procedures of the host's Buddy List window and of its children,
// and what the hook's pop-up rules read of this process's Buddy List.
#pragma once

#include <windows.h>

#include <cstdint>

namespace corvane {

// The host's command that asks for its Today window.
inline constexpr WPARAM kHostCmdAimToday = 1140;

LRESULT CALLBACK BuddyListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The Buddy List's children.
LRESULT CALLBACK ButtonRowEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BuddyListAteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AdPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TabGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GeneralButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SeparatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BuddyTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the pop-up rules need to know of this process's Buddy List: whether
// one exists, since when, and whether the user asked for the Today window.
// The Buddy List subclass keeps it; the hook reads it.
struct BuddyListPresence {
  bool aimTodayAsked = false;  // command 1140 reached the Buddy List
  bool created = false;        // createdAt is set
  uint64_t createdAt = 0;      // FILETIME units, UTC
};

BuddyListPresence& ProcessBuddyListPresence();

}  // namespace corvane
