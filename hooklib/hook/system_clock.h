// The current system time as FILETIME units; tests may replace the source.
#pragma once

#include <cstdint>

namespace corvane {

using TimeSource = uint64_t (*)();

uint64_t SystemTimeNow();
// Null restores the real clock.
void SetSystemTimeSource(TimeSource source);

}  // namespace corvane
