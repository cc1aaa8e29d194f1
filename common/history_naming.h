// Names in the history tree: the session key that heads a block, its key
// line, and the day file's name.  Shared by the hook library, which writes
// the tree, and the viewer, which reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "capacities.h"

namespace corvane {

// "hh:mm:ss-handle" of the local time and the window handle in lower-case
// hex, cut to kSessionKeyCapacity - 1 characters.  Real times and 32-bit
// handles give at most 17 characters, so only out-of-range times are cut.
std::string MakeSessionKey(int hour, int minute, int second, std::uint32_t window_handle);

// The line that heads a session's block in a day file, without its line feed.
std::string SessionKeyLine(std::string_view session_key);

// "Sunday" for 0 to "Saturday" for 6; empty for any other value.
std::string_view EnglishWeekdayName(int day_of_week);

// "yyyy-mm-dd [Weekday].html", e.g. "2002-06-14 [Friday].html"; empty when
// the day of the week is not 0 to 6.
std::string DayFileName(int year, int month, int day, int day_of_week);

}  // namespace corvane
