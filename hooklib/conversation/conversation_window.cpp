#include "hooklib/conversation/conversation_window.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/capacities.h"
#include "common/exception_boundary.h"
#include "common/unique_handle.h"
#include "hooklib/conversation/session_map.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/history/capture.h"
#include "hooklib/history/write_history.h"
#include "hooklib/history/write_ledger.h"
#include "hooklib/launch/history_viewer_arguments.h"
#include "hooklib/launch/launch.h"
#include "hooklib/preferences/preferences_dialog.h"
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

// The window's whole text, as one poll read it, and whether it was written.
struct Capture {
  ConversationReading reading;
  bool written;
};

// Reads the window whole and writes it into the session's block, settling
// what is owed.  With `tellFailure` a new failure shows its box, which is
// modal: the window may be gone when this returns.
Capture CaptureShown(HWND window, HWND control, SessionRecord& record, bool tellFailure) {
  const int length = GetWindowTextLengthA(control);
  Capture capture{ReadConversation(window, control), false};
  // The write gets the folder and the names and gives back the names the
  // folders have on disk.
  const HistoryWrite write =
      CaptureConversation(CurrentSettings().LogDir, record.UserName, record.SessionKey,
                          capture.reading, record.dayFile);
  CopyBounded(record.UserName, kNameCapacity, write.userName.c_str());
  capture.written = write.written;
  if (SettleWrite(record.ledger, length, write.written) && tellFailure) ShowWriteFailure();
  return capture;
}

// A clear starts a new block; the old one has everything the window showed.
void ClearWritten(HWND window, HWND control, SessionRecord& record) {
  SetWindowTextA(control, "");
  MakeSessionKey(record, window);
  StartNewBlock(record.ledger);
}

// Clears a conversation grown too long, after telling the user, and starts
// a new block.  The notice is modal: polls keep running meanwhile and log
// under the old key.  What arrived since is written before the clear; when
// it cannot be, nothing is cleared and a later poll gives the notice again.
void ClearLongSession(HWND window, HWND control, const std::string& buddy, SessionRecord& record) {
  record.Notifying = 1;
  char notice[sizeof kSessionClearedFormat + kNameCapacity];
  std::snprintf(notice, sizeof notice, kSessionClearedFormat, buddy.c_str());
  MessageBoxA(window, notice, "Corvane Notification", MB_OK);
  // The window may have gone while a box was up.
  if (FindSession(window) != &record) return;
  const bool written = CaptureShown(window, control, record, true).written;
  if (FindSession(window) != &record) return;
  if (written) ClearWritten(window, control, record);
  record.Notifying = 0;
}

void PollSteps(HWND window) {
  if (GetCapture() != nullptr) return;  // the next tick tries again
  SessionRecord* record = FindSession(window);
  if (record == nullptr) return;
  const HWND control = FindConversationControl(window);
  if (control == nullptr) return;
  const int length = GetWindowTextLengthA(control);
  record->LastTextLength = length;
  if (!CaptureDue(record->ledger, length)) return;
  const Capture capture = CaptureShown(window, control, *record, true);
  record = FindSession(window);  // a modal failure box lets the window go
  if (record != nullptr && MeasuredLength(capture.reading.text) > SESSION_TEXT_LIMIT &&
      record->Notifying == 0) {
    ClearLongSession(window, control, capture.reading.buddyName.value_or(std::string()), *record);
  }
}

// A window that closes with its text unwritten (the write failed, or the
// last poll could not run) leaves it to the process.
void KeepWhatIsOwed(HWND window) {
  const SessionRecord* record = FindSession(window);
  const HWND control = FindConversationControl(window);
  if (record == nullptr || control == nullptr ||
      !CaptureDue(record->ledger, GetWindowTextLengthA(control))) {
    return;
  }
  KeepOwedSession(
      {record->UserName, record->SessionKey, ReadConversation(window, control), record->dayFile});
}

// A poll that throws (out of memory) has settled nothing: the next tick
// captures again.
void Poll(HWND window, bool destroying) {
  if (Shared().Logging != 0) {
    HANDLE mutex = HistoryMutex().Get();
    WaitForSingleObject(mutex, INFINITE);
    RunContained([window, destroying] {
      PollSteps(window);
      if (destroying) KeepWhatIsOwed(window);
    });
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
  OwnedMenu menu(CreateMenu());
  if (!menu) return;
  if (record != nullptr) record->corvaneMenuTried = true;
  InsertMenuA(menu.Get(), 0, MF_BYPOSITION | MF_STRING, CMD_HISTORY_VIEWER, "&History");
  InsertMenuA(menu.Get(), 1, MF_BYPOSITION | MF_STRING, CMD_LAUNCH_CLONE, "Launch &Clone");
  InsertMenuA(menu.Get(), 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  InsertMenuA(menu.Get(), 3, MF_BYPOSITION | MF_STRING, CMD_PREFERENCES, "&Preferences");
  // Once in the bar the menu goes with its window.
  if (InsertMenuA(bar, 4, MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(menu.Get()), "&Corvane")) {
    menu.Release();
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

bool ClearAfterWriting(HWND window, HWND cleared) {
  bool written = true;
  if (Shared().Logging != 0) {
    HANDLE mutex = HistoryMutex().Get();
    WaitForSingleObject(mutex, INFINITE);
    written = ResultContained(
        [window] {
          SessionRecord* record = FindSession(window);
          const HWND control = FindConversationControl(window);
          return record == nullptr || control == nullptr ||
                 CaptureShown(window, control, *record, false).written;
        },
        [] { return false; });
    ReleaseMutex(mutex);
  }
  if (!written) return false;
  if (SessionRecord* record = FindSession(window))
    ClearWritten(window, cleared, *record);
  else
    SetWindowTextA(cleared, "");
  return true;
}

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
