#include "common/history_naming.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>

namespace corvane {
namespace {

constexpr std::string_view kPathSeparators = "\\/";
constexpr std::string_view kKeptAsUnderscore = "*?\"<>|";
constexpr std::array<std::string_view, 6> kDeviceNames = {"CON", "PRN",    "AUX",
                                                          "NUL", "CONIN$", "CONOUT$"};
constexpr std::array<std::string_view, 2> kNumberedDeviceNames = {"COM", "LPT"};

bool IsDotOrSpace(char c) { return c == '.' || c == ' '; }

char FileNameCharacter(char c) {
  if (c == ':') return '-';
  if (static_cast<unsigned char>(c) < 0x20 || kKeptAsUnderscore.find(c) != std::string_view::npos)
    return '_';
  return c;
}

bool IsAnyOf(std::string_view name, const std::string_view* begin, const std::string_view* end,
             const LeadBytes& lead) {
  return std::any_of(begin, end, [name, &lead](std::string_view device) {
    return EqualIgnoringAsciiCase(name, device, lead);
  });
}

bool IsReservedDeviceName(std::string_view base, const LeadBytes& lead) {
  if (IsAnyOf(base, kDeviceNames.begin(), kDeviceNames.end(), lead)) return true;
  const bool numbered = base.size() == 4 && base[3] >= '1' && base[3] <= '9';
  return numbered &&
         IsAnyOf(base.substr(0, 3), kNumberedDeviceNames.begin(), kNumberedDeviceNames.end(), lead);
}

// Each character as a folder name can hold it; two-byte characters as they are.
std::string WithFileNameCharacters(std::string_view name, const LeadBytes& lead) {
  std::string folder;
  folder.reserve(name.size());
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t size = CharacterSize(name, at, lead);
    if (size == 1)
      folder += FileNameCharacter(name[at]);
    else
      folder.append(name.substr(at, size));
    at += size;
  }
  return folder;
}

// Where the part that Windows holds against the device names ends: before
// the first dot and the spaces in front of it (neither is ever a trail byte).
std::size_t DeviceNameEnd(std::string_view name) {
  std::size_t end = std::min(name.find('.'), name.size());
  while (end > 0 && name[end - 1] == ' ') --end;
  return end;
}

}  // namespace

std::optional<std::string> HistoryFolderName(std::string_view name, const LeadBytes& lead) {
  if (HasSingleByteCharacter(name, kPathSeparators, lead)) return std::nullopt;
  if (!name.empty() && std::all_of(name.begin(), name.end(), IsDotOrSpace)) return std::nullopt;
  std::string folder = WithFileNameCharacters(name, lead);
  const std::size_t deviceEnd = DeviceNameEnd(folder);
  if (IsReservedDeviceName(std::string_view(folder).substr(0, deviceEnd), lead))
    folder.insert(deviceEnd, 1, '_');
  folder.resize(WholeCharactersWithin(folder, kNameCapacity - 1, lead));
  return folder;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b, const LeadBytes& lead) {
  if (a.size() != b.size()) return false;
  for (std::size_t at = 0; at < a.size();) {
    const std::size_t size = CharacterSize(a, at, lead);
    if (size == 1 ? AsciiLower(a[at]) != AsciiLower(b[at]) : a.compare(at, size, b, at, size) != 0)
      return false;
    at += size;
  }
  return true;
}

bool EqualsAsciiIgnoringCase(std::string_view text, std::string_view ascii) {
  return EqualIgnoringAsciiCase(text, ascii, LeadBytes{});
}

std::string WithoutSpaces(std::string_view name) {
  std::string stripped;
  std::copy_if(name.begin(), name.end(), std::back_inserter(stripped),
               [](char c) { return c != ' '; });
  return stripped;
}

std::string MakeSessionKey(int hour, int minute, int second, std::uint32_t windowHandle) {
  char key[kSessionKeyCapacity];
  std::snprintf(key, sizeof key, "%02d:%02d:%02d-%x", hour, minute, second,
                static_cast<unsigned>(windowHandle));
  return key;
}

std::string SessionKeyLine(std::string_view sessionKey) {
  std::string line = "<!-- ";
  line += sessionKey;
  line += " -->";
  return line;
}

std::string_view EnglishWeekdayName(int dayOfWeek) {
  static constexpr std::array<std::string_view, 7> kNames = {
      "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  if (dayOfWeek < 0 || dayOfWeek >= static_cast<int>(kNames.size())) return {};
  return kNames[static_cast<std::size_t>(dayOfWeek)];
}

std::string DayFileName(int year, int month, int day, int dayOfWeek) {
  const std::string_view weekday = EnglishWeekdayName(dayOfWeek);
  if (weekday.empty()) return {};
  // Even the widest ints give far fewer than kPathCapacity characters.
  char name[kPathCapacity];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d [%.*s].html", year, month, day,
                static_cast<int>(weekday.size()), weekday.data());
  return name;
}

}  // namespace corvane
