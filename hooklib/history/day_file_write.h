// Puts a session's block into its day file by the cheapest route that keeps
// the file whole.
//
// - Append: the block is the file's last and the new text differs from the
//   old only at or after its closing tags (new messages arrived).  Only the
//   bytes from the first change on are written in place; a write cut short
//   (the program killed, the power gone) loses at most what it was adding.
// - Replace: every other change (a block that is not last, the BASE line of
//   the second capture, earlier text that became a tag or a comment) writes
//   the whole new content under a temporary name and moves it over the file:
//   the file holds its old content or the new, never a mixture.
// - Rewrite in place: when the replace is refused (another program holds
//   the file open), the bytes from the first change on are written in place.
//   A write cut short here can leave everything from that change to the end
//   of the file half old and half new: the block's own new text and, when
//   the block is not the last, every block after it (they move), key lines
//   included.  It runs only while another program holds the file and the
//   change is not an append, for the few milliseconds that writing the moved
//   bytes takes; refusing it would lose the write altogether.
//
// The file is opened only for the write, shared with readers, and closed
// again.  Nothing sleeps or tries again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hooklib/history/day_file_store.h"

namespace corvane {

// What a session remembers of its last write, so that the next one can find
// its block without reading the file: valid only while the file still has
// the size that write left and the block still stands where it was.
struct DayFileMark {
  std::string path;             // the day file it was written into
  std::uint64_t keyOffset = 0;  // where the block starts: the file's last
  std::uint64_t fileSize = 0;   // the file's size after that write
  std::string block;            // the block's bytes as written; empty: nothing known
};

enum class DayFileRoute {
  kFailed,            // no route could write
  kCreated,           // a new file, through a temporary name
  kAppended,          // in place, the block being the last
  kReplaced,          // the whole file, through a temporary name
  kRewrittenInPlace,  // the replace was refused
};

// Writes the block of `sessionKey` with `text` (the rewrite form; the
// creation form when the file is new) and updates `mark` (its path is the
// caller's and kept).
DayFileRoute WriteSessionBlock(DayFileStore& file, std::string_view sessionKey,
                               std::string_view text, DayFileMark& mark);

}  // namespace corvane
