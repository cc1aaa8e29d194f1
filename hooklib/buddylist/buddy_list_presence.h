// What the pop-up rules need to know of this process's Buddy List: whether
// one exists, since when, and whether the user asked for the Today window.
// The Buddy List subclass keeps it; the hook reads it.
#pragma once

#include <cstdint>

namespace corvane {

struct BuddyListPresence {
  bool aimTodayAsked = false;  // command 1140 reached the Buddy List
  bool created = false;        // createdAt is set
  uint64_t createdAt = 0;      // FILETIME units, UTC
};

BuddyListPresence& ProcessBuddyListPresence();

}  // namespace corvane
