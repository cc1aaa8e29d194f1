// A FILETIME as one count of 100-nanosecond ticks, to compare and add.
#pragma once

#include <windows.h>

#include <cstdint>

namespace corvane {

inline std::uint64_t FileTimeTicks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace corvane
