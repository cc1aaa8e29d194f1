// One record per conversation window of this process, keyed by its handle.
#pragma once

#include <windows.h>

#include "common/capacities.h"
#include "hooklib/history/day_file_write.h"

namespace corvane {

struct SessionRecord {
  HWND Window = nullptr;
  char UserName[kNameCapacity] = "";
  char SessionKey[kSessionKeyCapacity] = "";  // names the window's block in the day file
  int LastTextLength = 0;                     // conversation length at the last poll
  int Notifying = 0;                          // the session-too-long notice is up
  bool CorvaneMenuTried = false;              // "&Corvane" went into the bar, or could not
  bool FailureBoxOpen = false;                // the window's write-failure box is up
  DayFileMark DayFile;                        // where the last write left the block
};

// Null when the window has no record.
SessionRecord* FindSession(HWND window);
// Creates the window's record (or returns the one it has); null when out of memory.
SessionRecord* InsertSession(HWND window);
void EraseSession(HWND window);

// A new key from the local time now and the window handle.
void MakeSessionKey(SessionRecord& record, HWND window);

}  // namespace corvane
