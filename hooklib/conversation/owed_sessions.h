// The text of conversation windows that closed before it could be written.
// The messenger's process keeps it and tries again once a second, on the
// thread that owned the window (a thread timer of its message loop), until
// it is written or the process ends.
#pragma once

#include <string>

#include "hooklib/history/capture.h"
#include "hooklib/history/day_file_write.h"

namespace corvane {

struct OwedSession {
  std::string userName;
  std::string sessionKey;
  ConversationReading reading;  // the window's last text
  DayFileMark dayFile;
};

// Keeps `session` for this thread and starts its retries.  Out of memory it
// throws, keeping nothing.
void KeepOwedSession(OwedSession session);

}  // namespace corvane
