#include "viewer/history_tree/history_entries.h"

#include <cstdio>

#include "common/history_naming.h"

namespace corvane {
namespace {

constexpr std::string_view kDayFileSuffix = ".html";

}  // namespace

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

std::optional<std::string> DateEntryText(std::string_view fileName) {
  if (fileName.size() < kDayFileSuffix.size()) {
    return std::nullopt;
  }
  const std::size_t stemLength = fileName.size() - kDayFileSuffix.size();
  if (!EqualsAsciiIgnoringCase(fileName.substr(stemLength), kDayFileSuffix)) {
    return std::nullopt;
  }
  return std::string(fileName.substr(0, stemLength));
}

std::string DateEntryFileName(std::string_view dateText) {
  std::string name(dateText);
  name += kDayFileSuffix;
  return name;
}

// Sakamoto's method.
int WeekdayOf(const CalendarDate& date) {
  static constexpr int kMonthOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int year = date.month < 3 ? date.year - 1 : date.year;
  return (year + year / 4 - year / 100 + year / 400 + kMonthOffsets[date.month - 1] + date.day) % 7;
}

std::optional<CalendarDate> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  int fields[3] = {};
  const std::size_t starts[3] = {0, 5, 8};
  const std::size_t lengths[3] = {4, 2, 2};
  for (int f = 0; f < 3; ++f) {
    for (std::size_t i = starts[f]; i < starts[f] + lengths[f]; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      fields[f] = fields[f] * 10 + (text[i] - '0');
    }
  }
  const CalendarDate date{fields[0], fields[1], fields[2]};
  if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  const int daysInMonth = kDays[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
  if (date.day > daysInMonth) return std::nullopt;
  return date;
}

std::string IsoDateText(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::optional<CalendarDate> ParseDayFileName(std::string_view fileName) {
  const std::optional<CalendarDate> date = ParseIsoDate(fileName.substr(0, 10));
  if (!date) return std::nullopt;
  const std::string form = DayFileName(date->year, date->month, date->day, WeekdayOf(*date));
  if (!EqualsAsciiIgnoringCase(fileName, form)) return std::nullopt;
  return date;
}

}  // namespace corvane
