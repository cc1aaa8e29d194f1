// Reads back what the transparency code left on a window, for tests.
#pragma once

#include <windows.h>

#include <optional>

namespace corvane {

inline bool IsLayered(HWND window) {
  return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

// The window's layered opacity; no value when the system has none for it.
inline std::optional<int> LayeredAlpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return std::nullopt;
  if ((flags & LWA_ALPHA) == 0) return std::nullopt;
  return alpha;
}

}  // namespace corvane
