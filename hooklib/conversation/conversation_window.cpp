#include "hooklib/conversation/conversation_window.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/bounded_copy.h"
#include "common/capacities.h"
#include "common/exception_boundary.h"
#include "hooklib/conversation/session_map.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/signed_on_user.h"
#include "hooklib/history/capture.h"
#include "hooklib/history/history_mutex.h"
#include "hooklib/history/write_history.h"
#include "hooklib/launch/history_viewer_arguments.h"
#include "hooklib/launch/launch.h"
#include "hooklib/preferences/preferences_dialog.h"
#include "hooklib/transparency/fade_levels.h"
#include "hooklib/transparency/transparency.h"

namespace corvane {
namespace {

constexpr char kSessionClearedFormat[] =
    "         Your IM session with '%s' will be cleared in order to keep an accurate history. "
    "\n\nOld messages will be removed from the top of the IM window, but everything is saved in "
    "your Corvane history!";

void OnCreate(HWND window) {
  if (SessionRecord* record = InsertSession(window)) {
    record->Window = window;
    CopyBounded(record->UserName, kNameCapacity, ScreenName());
    MakeSessionKey(*record, window);
    record->LastTextLength = 0;
    record->Notifying = 0;
    record->corvaneMenuTried = false;
  }
  SetTimer(window, TIMER_LOG_POLL, kLogPollPeriodMs, nullptr);
  ApplyWindowAlpha(window, Shared().AlphaIM, Shared().AlphaOn);
}

// The length that counts against the limit: up to the first "</HTML>".
int MeasuredLength(const std::string& text) {
  const size_t end = text.find("</HTML>");
  return static_cast<int>(end == std::string::npos ? text.size() : end);
}

// Clears a conversation grown too long, after telling the user, and starts
// a new block.  The notice is modal: polls keep running meanwhile and log
// under the old key.
void ClearLongSession(HWND window, HWND control, const std::string& buddy, SessionRecord& record) {
  record.Notifying = 1;
  char notice[sizeof kSessionClearedFormat + kNameCapacity];
  std::snprintf(notice, sizeof notice, kSessionClearedFormat, buddy.c_str());
  MessageBoxA(window, notice, "Corvane Notification", MB_OK);
  // The window may have gone while the box was up.
  if (FindSession(window) != &record) return;
  SetWindowTextA(control, "");
  MakeSessionKey(record, window);
  record.Notifying = 0;
}

// At most one box per window at a time: the box pumps messages, so the
// polls go on writing under it and would each open another while the
// failure lasts.  A write that fails after it was closed shows it again.
void ReportWriteFailure(HWND window) {
  SessionRecord* record = FindSession(window);
  if (record == nullptr || record->failureBoxOpen) return;
  record->failureBoxOpen = true;
  ShowWriteFailure();
  // The window may have gone while the box was up.
  if (SessionRecord* still = FindSession(window)) still->failureBoxOpen = false;
}

void PollSteps(HWND window) {
  if (GetCapture() != nullptr) return;  // the next tick tries again
  SessionRecord* record = FindSession(window);
  if (record == nullptr) return;
  const HWND control = FindConversationControl(window);
  if (control == nullptr) return;
  const int length = GetWindowTextLengthA(control);
  const bool changed = length > 0 && length != record->LastTextLength;
  record->LastTextLength = length;
  if (!changed) return;
  // The window is read once; the write gets the folder and the names and
  // gives back the names the folders have on disk.
  const ConversationReading reading = ReadConversation(window, control);
  const HistoryWrite write = CaptureConversation(Shared().LogDir, record->UserName,
                                                 record->SessionKey, reading, record->dayFile);
  CopyBounded(record->UserName, kNameCapacity, write.userName.c_str());
  if (!write.written) ReportWriteFailure(window);
  record = FindSession(window);  // a modal failure box lets the window go
  if (record != nullptr && MeasuredLength(reading.text) > SESSION_TEXT_LIMIT &&
      record->Notifying == 0) {
    ClearLongSession(window, control, reading.buddyName.value_or(std::string()), *record);
  }
}

void Poll(HWND window, bool destroying) {
  if (Shared().Logging != 0) {
    HANDLE mutex = HistoryMutex();
    WaitForSingleObject(mutex, INFINITE);
    const SessionRecord* record = FindSession(window);
    const int lastTextLength = record != nullptr ? record->LastTextLength : 0;
    if (!RunContained([window] { PollSteps(window); })) {
      // Nothing was logged (out of memory): the next tick captures again.
      if (SessionRecord* still = FindSession(window)) still->LastTextLength = lastTextLength;
    }
    ReleaseMutex(mutex);
  }
  if (destroying) {
    EraseSession(window);
    KillTimer(window, TIMER_LOG_POLL);
  }
}

// Adds "&Corvane" once the bar has the host's full item count: 4 in an IM
// window, 5 in a chat window.  One try per window: a bar that has the
// count again later, or that refused the menu, is not tried again.
void AddCorvaneMenu(HWND window) {
  SessionRecord* record = FindSession(window);
  if (record != nullptr && record->corvaneMenuTried) return;
  char cls[kClassNameCapacity] = "";
  GetClassNameA(window, cls, kClassNameCapacity - 1);
  const int expected = std::strcmp(cls, "AIM_IMessage") == 0 ? 4 : 5;
  HMENU bar = GetMenu(window);
  if (bar == nullptr || GetMenuItemCount(bar) != expected) return;
  HMENU menu = CreateMenu();
  if (menu == nullptr) return;
  if (record != nullptr) record->corvaneMenuTried = true;
  InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, CMD_HISTORY_VIEWER, "&History");
  InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, CMD_LAUNCH_CLONE, "Launch &Clone");
  InsertMenuA(menu, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  InsertMenuA(menu, 3, MF_BYPOSITION | MF_STRING, CMD_PREFERENCES, "&Preferences");
  // Only a menu in a bar goes with its window.
  if (!InsertMenuA(bar, 4, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
                   "&Corvane")) {
    DestroyMenu(menu);
  }
}

void OpenHistory(HWND window) {
  char buddy[kNameCapacity];
  TitleToBuddyName(window, buddy);
  const std::string arguments = HistoryViewerArguments(ScreenName(), buddy);
  LaunchHistoryViewer(window, arguments.c_str());
}

void OnCommand(HWND window, WPARAM command) {
  if (command == CMD_HISTORY_VIEWER)
    OpenHistory(window);
  else if (command == CMD_LAUNCH_CLONE)
    LaunchClone();
  else if (command == CMD_PREFERENCES)
    DoPrefDlg();
}

}  // namespace

void HandleConversationMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      break;
    case WM_ACTIVATE:
      OnActivationMessage(window, message, wParam, Shared().AlphaIM,
                          ProcessFadeLevels().conversations);
      break;
    case WM_TIMER:
      if (wParam == TIMER_LOG_POLL)
        Poll(window, false);
      else
        OnActivationMessage(window, message, wParam, Shared().AlphaIM,
                            ProcessFadeLevels().conversations);
      break;
    case WM_SYSCOMMAND:
      if (wParam == CMD_APPLY_ALPHA) ApplyWindowAlpha(window, Shared().AlphaIM, Shared().AlphaOn);
      break;
    case WM_WINDOWPOSCHANGED:
      AddCorvaneMenu(window);
      break;
    case WM_COMMAND:
      OnCommand(window, wParam);
      break;
    case WM_DESTROY:
      Poll(window, true);
      break;
  }
}

}  // namespace corvane
