#include "buddy_list_proc.h"

#include <cstring>
#include <new>

#include "bounded_copy.h"
#include "history_viewer_arguments.h"
#include "launch.h"
#include "private_codes.h"
#include "process_state.h"
#include "screen_name.h"
#include "shared_settings.h"
#include "system_clock.h"
#include "transparency.h"

namespace corvane {
namespace {

// Titles are read up to this many characters.
constexpr int kTitleCapacity = 255;

void OnCreate(HWND window, ProcessState& process) {
  process.buddyListCreatedAt = SystemTimeNow();
  process.buddyListCreated = true;
  ApplyWindowAlpha(window, Shared.AlphaBL, Shared.AlphaOn);
}

// The title names the signed-on user once the host has signed on; any other
// title keeps the name found last.
void TakeScreenNameFromTitle(HWND window, ProcessState& process) {
  char title[kTitleCapacity] = "";
  const int length = GetWindowTextA(window, title, kTitleCapacity);
  if (length <= 0) return;
  std::optional<std::string> name;
  try {
    name = ScreenNameFromTitle(std::string_view(title, length));
  } catch (const std::bad_alloc&) {
    return;
  }
  if (!name) return;
  std::memset(process.screenName, 0, sizeof process.screenName);
  CopyBounded(process.screenName, sizeof process.screenName, name->c_str());
}

void LaunchHistoryViewerForUser(HWND window, const char* screenName) {
  std::string arguments;
  try {
    arguments = HistoryViewerArguments(screenName, std::nullopt);
  } catch (const std::bad_alloc&) {
    return;
  }
  LaunchHistoryViewer(window, arguments.c_str());
}

void OnSysCommand(HWND window, WPARAM command, const ProcessState& process) {
  switch (command) {
    case CMD_APPLY_ALPHA:
      ApplyWindowAlpha(window, Shared.AlphaBL, Shared.AlphaOn);
      break;
    case CMD_LAUNCH_CLONE:
      LaunchClone();
      break;
    case CMD_HISTORY_VIEWER:
      LaunchHistoryViewerForUser(window, process.screenName);
      break;
  }
}

}  // namespace

// Everything here is done before the host sees the message, and every
// message then goes on to the host.
LRESULT CALLBACK BuddyListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ProcessState& process = Process();
  switch (message) {
    case WM_CREATE:
      OnCreate(window, process);
      break;
    case WM_DESTROY:
      process.buddyListCreated = false;
      break;
    case WM_ACTIVATE:
    case WM_TIMER:
      OnActivationMessage(window, message, wParam, Shared.AlphaBL, process.buddyListFadeLevel);
      break;
    case WM_WINDOWPOSCHANGED:
      TakeScreenNameFromTitle(window, process);
      break;
    case WM_COMMAND:
      // The user asked the host for its Today window.
      if (wParam == kHostCmdAimToday) process.aimTodayAsked = true;
      break;
    case WM_SYSCOMMAND:
      OnSysCommand(window, wParam, process);
      break;
  }
  return CallSavedProc(kRowBuddyList, window, message, wParam, lParam);
}

}  // namespace corvane
