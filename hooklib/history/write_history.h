// Writes one session block into today's day file of the history tree.
#pragma once

#include <string_view>

#include "hooklib/history/day_file_write.h"

namespace corvane {

// Makes the user and buddy folders as needed (reusing existing folders whose
// names match but for case and spaces; both name buffers, of kNameCapacity
// characters, then take the folder's exact name) and puts the block of
// `sessionKey` into today's day file.  `mark` is what the session's last
// write left there.  False only when no route could write.
bool WriteHistory(const char* historyFolder, char* userName, char* buddyName,
                  const char* sessionKey, std::string_view text, DayFileMark& mark);

// The write-failure message: a modal box owned by no window, which pumps
// this thread's messages until it is closed.
void ShowWriteFailure();

}  // namespace corvane
