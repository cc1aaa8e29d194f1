#include "hooklib/conversation/session_map.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "common/exception_boundary.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"

namespace corvane {
namespace {

// Per thread, so that only the thread that owned the windows touches them.
// Never freed: a thread that leaves text owed lives as long as its process.
thread_local std::vector<OwedSession>* t_owed = nullptr;
thread_local UINT_PTR t_retryTimer = 0;

void RetryOwed() {
  std::vector<OwedSession>& owed = *t_owed;
  if (Shared().Logging != 0) {
    HANDLE mutex = HistoryMutex().Get();
    WaitForSingleObject(mutex, INFINITE);
    for (auto it = owed.begin(); it != owed.end();) {
      const bool written = CaptureConversation(CurrentSettings().LogDir, it->userName,
                                               it->sessionKey.c_str(), it->reading, it->dayFile)
                               .written;
      it = written ? owed.erase(it) : it + 1;
    }
    ReleaseMutex(mutex);
  }
  if (owed.empty()) {
    KillTimer(nullptr, t_retryTimer);
    t_retryTimer = 0;
  }
}

void CALLBACK OnRetryTimer(HWND, UINT, UINT_PTR, DWORD) {
  // Out of memory the sessions stay as they were for the next tick.
  RunContained(RetryOwed);
}

}  // namespace

void KeepOwedSession(OwedSession session) {
  if (t_owed == nullptr) t_owed = new std::vector<OwedSession>();
  t_owed->push_back(std::move(session));
  if (t_retryTimer == 0) t_retryTimer = SetTimer(nullptr, 0, kLogPollPeriodMs, OnRetryTimer);
}

}  // namespace corvane
