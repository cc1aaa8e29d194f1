// The 64-bit millisecond count GetTickCount64 gives from Windows Vista on,
// carried over GetTickCount's 32-bit count where the system lacks it
// (Windows XP), as plain arithmetic.
#pragma once

#include <cstdint>

namespace corvane {

// The count after `last` for GetTickCount's `now`, read after `last` was
// kept: `last` grows by the milliseconds from its low 32 bits to `now`
// modulo 2^32, so the count goes on past GetTickCount's wrap (every 49.7
// days) and never goes back.  Right while less than 49.7 days pass between
// two readings.
constexpr uint64_t ExtendTickCount(uint64_t last, uint32_t now) {
  return last + static_cast<uint32_t>(now - static_cast<uint32_t>(last));
}

}  // namespace corvane
