#include "common/history_naming.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace corvane {
namespace {

constexpr std::string_view kPathSeparators = "\\/";
constexpr std::string_view kKeptAsUnderscore = "*?\"<>|";
constexpr std::array<std::string_view, 6> kDeviceNames = {"CON", "PRN",    "AUX",
                                                          "NUL", "CONIN$", "CONOUT$"};
constexpr std::array<std::string_view, 2> kNumberedDeviceNames = {"COM", "LPT"};

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsDotOrSpace(char c) { return c == '.' || c == ' '; }

char FileNameCharacter(char c) {
  if (c == ':') return '-';
  if (static_cast<unsigned char>(c) < 0x20 || kKeptAsUnderscore.find(c) != std::string_view::npos)
    return '_';
  return c;
}

bool IsAnyOf(std::string_view name, const std::string_view* begin, const std::string_view* end) {
  return std::any_of(
      begin, end, [name](std::string_view device) { return EqualIgnoringAsciiCase(name, device); });
}

bool IsReservedDeviceName(std::string_view base) {
  if (IsAnyOf(base, kDeviceNames.begin(), kDeviceNames.end())) return true;
  const bool numbered = base.size() == 4 && base[3] >= '1' && base[3] <= '9';
  return numbered &&
         IsAnyOf(base.substr(0, 3), kNumberedDeviceNames.begin(), kNumberedDeviceNames.end());
}

// Where the part that Windows holds against the device names ends: before
// the first dot and the spaces in front of it.
std::size_t DeviceNameEnd(std::string_view name) {
  std::size_t end = std::min(name.find('.'), name.size());
  while (end > 0 && name[end - 1] == ' ') --end;
  return end;
}

}  // namespace

std::optional<std::string> HistoryFolderName(std::string_view name) {
  if (name.find_first_of(kPathSeparators) != std::string_view::npos) return std::nullopt;
  if (!name.empty() && std::all_of(name.begin(), name.end(), IsDotOrSpace)) return std::nullopt;
  std::string folder(name.size(), '\0');
  std::transform(name.begin(), name.end(), folder.begin(), FileNameCharacter);
  const std::size_t device_end = DeviceNameEnd(folder);
  if (IsReservedDeviceName(std::string_view(folder).substr(0, device_end)))
    folder.insert(device_end, 1, '_');
  if (folder.size() > kNameCapacity - 1) folder.resize(kNameCapacity - 1);
  return folder;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

std::string MakeSessionKey(int hour, int minute, int second, std::uint32_t window_handle) {
  char key[kSessionKeyCapacity];
  std::snprintf(key, sizeof key, "%02d:%02d:%02d-%x", hour, minute, second,
                static_cast<unsigned>(window_handle));
  return key;
}

std::string SessionKeyLine(std::string_view session_key) {
  std::string line = "<!-- ";
  line += session_key;
  line += " -->";
  return line;
}

std::string_view EnglishWeekdayName(int day_of_week) {
  static constexpr std::array<std::string_view, 7> kNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  if (day_of_week < 0 || day_of_week >= static_cast<int>(kNames.size())) return {};
  return kNames[static_cast<std::size_t>(day_of_week)];
}

std::string DayFileName(int year, int month, int day, int day_of_week) {
  const std::string_view weekday = EnglishWeekdayName(day_of_week);
  if (weekday.empty()) return {};
  // Even the widest ints give far fewer than kPathCapacity characters.
  char name[kPathCapacity];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d [%.*s].html", year, month, day,
                static_cast<int>(weekday.size()), weekday.data());
  return name;
}

}  // namespace corvane
