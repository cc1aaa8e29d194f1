#include "testhost/status_notify.h"

#include <string>

#include "testhost/report.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

LRESULT StatusNotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kStatusNotifyMessage) {
    Report("status-notify wparam=" + std::to_string(static_cast<unsigned long>(wParam)) +
           " lparam=" + std::to_string(static_cast<long>(lParam)));
    return 0;
  }
  if (message == WM_DESTROY) ReportDestroyed(window);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterStatusNotifyClass() {
  RegisterWindowClass("_Oscar_StatusNotify", Guarded<StatusNotifyProc>, COLOR_WINDOW);
}

HWND CreateStatusNotifyWindow() {
  return CreateReported("_Oscar_StatusNotify", "", WS_POPUP, 0, 0, 0, 0, nullptr, 0);
}

}  // namespace testhost
