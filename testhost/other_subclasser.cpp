#include "testhost/other_subclasser.h"

#include <windows.h>

#include <map>

#include "testhost/report.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

HHOOK g_hook = nullptr;
bool g_armed = false;
std::map<HWND, WNDPROC> g_replaced;  // what this subclass replaced, by window

// A message for a window this subclass never took is reported all the same:
// it came down another window's chain.
LRESULT CALLBACK OtherSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = g_replaced.find(window);
  const WNDPROC next = found != g_replaced.end() ? found->second : DefWindowProcA;
  if (message == WM_CLOSE) {
    Report("other-subclass-message hwnd=" + HandleText(window) +
           " message=close own=" + (found != g_replaced.end() ? "1" : "0"));
  }
  if (message == WM_NCDESTROY && found != g_replaced.end()) g_replaced.erase(found);
  return CallWindowProcA(next, window, message, wParam, lParam);
}

void Take(HWND window) {
  const LONG_PTR replaced =
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherSubclassProc));
  if (replaced == 0) return;
  g_replaced[window] = reinterpret_cast<WNDPROC>(replaced);
  g_armed = false;
  Report("other-subclass hwnd=" + HandleText(window));
}

LRESULT CALLBACK OtherCbtProc(int code, WPARAM wParam, LPARAM lParam) {
  const HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND && g_armed && ClassNameOf(window) == "AIM_IMessage") Take(window);
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

bool SubclassNextImWindow() {
  if (g_hook == nullptr)
    g_hook = SetWindowsHookExA(WH_CBT, OtherCbtProc, nullptr, GetCurrentThreadId());
  g_armed = g_hook != nullptr;
  return g_armed;
}

}  // namespace testhost
