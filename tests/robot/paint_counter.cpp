// Test support, loaded by the robot and, through its hooks, into the
// program it watches: counts the WM_ERASEBKGND and WM_PAINT messages that
// each window of one thread receives.  The counts live in a shared section,
// so the robot reads what the watched process counted.
#include <windows.h>

namespace {

struct PaintCount {
  HWND window;
  LONG erases;
  LONG paints;
};

constexpr LONG kMaxWindows = 256;

struct PaintCounts {
  LONG used;
  PaintCount rows[kMaxWindows];
};

PaintCounts g_counts __attribute__((section(".shared"), shared)) = {};

HMODULE g_module = nullptr;
HHOOK g_sentHook = nullptr;
HHOOK g_postedHook = nullptr;

// Only the watched thread adds rows, so a plain search-then-append is safe.
PaintCount* RowOf(HWND window) {
  for (LONG i = 0; i < g_counts.used; ++i) {
    if (g_counts.rows[i].window == window) return &g_counts.rows[i];
  }
  if (g_counts.used == kMaxWindows) return nullptr;
  PaintCount* row = &g_counts.rows[g_counts.used];
  row->window = window;
  InterlockedIncrement(&g_counts.used);
  return row;
}

void Count(HWND window, UINT message) {
  if (message != WM_ERASEBKGND && message != WM_PAINT) return;
  if (PaintCount* row = RowOf(window))
    InterlockedIncrement(message == WM_PAINT ? &row->paints : &row->erases);
}

// WM_ERASEBKGND is sent (by BeginPaint, or a redraw that erases at once),
// and so is WM_PAINT from UpdateWindow.
LRESULT CALLBACK SentProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Count(sent->hwnd, sent->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// WM_PAINT otherwise comes out of the message queue.
LRESULT CALLBACK PostedProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg->message == WM_PAINT) Count(msg->hwnd, msg->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Unhook() {
  if (g_sentHook != nullptr) UnhookWindowsHookEx(g_sentHook);
  if (g_postedHook != nullptr) UnhookWindowsHookEx(g_postedHook);
  g_sentHook = g_postedHook = nullptr;
}

}  // namespace

// Starts counting afresh for every window of the thread.
extern "C" __declspec(dllexport) BOOL StartCountingPaints(DWORD thread) {
  Unhook();
  ZeroMemory(&g_counts, sizeof g_counts);
  g_sentHook = SetWindowsHookExA(WH_CALLWNDPROC, SentProc, g_module, thread);
  g_postedHook = SetWindowsHookExA(WH_GETMESSAGE, PostedProc, g_module, thread);
  return g_sentHook != nullptr && g_postedHook != nullptr;
}

// What a window received since counting started.
extern "C" __declspec(dllexport) void PaintsOf(HWND window, LONG* erases, LONG* paints) {
  *erases = *paints = 0;
  for (LONG i = 0; i < g_counts.used; ++i) {
    if (g_counts.rows[i].window == window) {
      *erases = g_counts.rows[i].erases;
      *paints = g_counts.rows[i].paints;
    }
  }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}
