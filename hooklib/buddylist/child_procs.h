// Subclass procedures of the Buddy List's child windows.
#pragma once

#include <windows.h>

namespace corvane {

LRESULT CALLBACK ButtonRowEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BuddyListAteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AdPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TabGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GeneralButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SeparatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BuddyTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
