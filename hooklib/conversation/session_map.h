// One record per conversation window of this process, kept on the window
// (session_map.cpp); and the text of conversation windows that closed
// before it could be written (owed_sessions.cpp): the messenger's process
// keeps it and tries again once a second, on the thread that owned the
// window (a thread timer of its message loop), until it is written or the
// process ends.
#pragma once

#include <windows.h>

#include <string>

#include "common/capacities.h"
#include "hooklib/history/capture.h"
#include "hooklib/history/day_file_write.h"
#include "hooklib/history/write_ledger.h"

namespace corvane {

// The first five fields as the design names them.
struct SessionRecord {
  HWND Window = nullptr;              // NOLINT(readability-identifier-naming)
  char UserName[kNameCapacity] = "";  // NOLINT(readability-identifier-naming)
  // Names the window's block in the day file.
  char SessionKey[kSessionKeyCapacity] = "";  // NOLINT(readability-identifier-naming)
  // The conversation's length at the last poll: what the window shows.
  int LastTextLength = 0;  // NOLINT(readability-identifier-naming)
  // The session-too-long notice is up.
  int Notifying = 0;              // NOLINT(readability-identifier-naming)
  bool corvaneMenuTried = false;  // "&Corvane" went into the bar, or could not
  WriteLedger ledger;             // what of it was written
  DayFileMark dayFile;            // where the last write left the block
};

// Null when the window has no record.
SessionRecord* FindSession(HWND window);
// Creates the window's record (or returns the one it has); null when out of memory.
SessionRecord* InsertSession(HWND window);
void EraseSession(HWND window);

// A new key from the local time now and the window handle.
void MakeSessionKey(SessionRecord& record, HWND window);

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
