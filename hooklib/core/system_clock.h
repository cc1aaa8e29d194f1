// The clock: the current system time as FILETIME units and the local
// calendar time.  Tests may replace either source.
#pragma once

#include <cstdint>

namespace corvane {

using TimeSource = uint64_t (*)();

uint64_t SystemTimeNow();
// Null restores the real clock.
void SetSystemTimeSource(TimeSource source);

struct LocalClockTime {
  int year, month, day;
  int dayOfWeek;  // 0 is Sunday
  int hour, minute, second;
};

using LocalTimeSource = LocalClockTime (*)();

LocalClockTime LocalTimeNow();
// Null restores the real clock.
void SetLocalTimeSource(LocalTimeSource source);

}  // namespace corvane
