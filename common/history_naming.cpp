#include "history_naming.h"

#include <array>
#include <cstdio>

namespace corvane {

std::string MakeSessionKey(int hour, int minute, int second, std::uint32_t window_handle) {
  char key[kSessionKeyCapacity];
  std::snprintf(key, sizeof key, "%02d:%02d:%02d-%x", hour, minute, second, static_cast<unsigned>(window_handle));
  return key;
}

std::string SessionKeyLine(std::string_view session_key) {
  std::string line = "<!-- ";
  line += session_key;
  line += " -->";
  return line;
}

std::string_view EnglishWeekdayName(int day_of_week) {
  static constexpr std::array<std::string_view, 7> kNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                              "Thursday", "Friday", "Saturday"};
  if (day_of_week < 0 || day_of_week >= static_cast<int>(kNames.size())) return {};
  return kNames[static_cast<std::size_t>(day_of_week)];
}

std::string DayFileName(int year, int month, int day, int day_of_week) {
  const std::string_view weekday = EnglishWeekdayName(day_of_week);
  if (weekday.empty()) return {};
  // Even the widest ints give far fewer than kPathCapacity characters.
  char name[kPathCapacity];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d [%.*s].html", year, month, day, static_cast<int>(weekday.size()),
                weekday.data());
  return name;
}

}  // namespace corvane
