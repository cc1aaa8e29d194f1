// Writes one session block into today's day file of the history tree.
#pragma once

#include <string>
#include <string_view>

#include "hooklib/history/day_file_write.h"

namespace corvane {

// What a write did, and the names it wrote under.
struct HistoryWrite {
  bool written = false;   // false only when no route could write
  std::string userName;   // the user folder's exact name on disk, once it was found or made
  std::string buddyName;  // likewise the buddy folder's
};

// Makes the user and buddy folders as needed (reusing existing folders whose
// names match but for case and spaces, under their exact names) and puts
// the block of `sessionKey` into today's day file.  `mark` is what the
// session's last write left there.  The names come back as given where no
// folder was found or made for them.
HistoryWrite WriteHistory(const char* historyFolder, std::string_view userName,
                          std::string_view buddyName, const char* sessionKey, std::string_view text,
                          DayFileMark& mark);

// The write-failure message: a modal box owned by no window, which pumps
// this thread's messages until it is closed.
void ShowWriteFailure();

}  // namespace corvane
