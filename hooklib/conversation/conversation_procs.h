// Subclass procedures of the host's conversation windows and their text
// controls.
#pragma once

#include <windows.h>

namespace corvane {

LRESULT CALLBACK IMWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ChatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IMTextControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IMTextFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
