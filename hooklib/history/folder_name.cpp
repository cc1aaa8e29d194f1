#include "folder_name.h"

#include <algorithm>
#include <iterator>

#include "history_naming.h"

namespace corvane {
namespace {

constexpr std::string_view kCharactersNotInFileNames = "\\/<>:\"|?*";

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsControlCharacter(char c) {
  return static_cast<unsigned char>(c) < 0x20;
}

bool IsDotOrSpace(char c) {
  return c == '.' || c == ' ';
}

}  // namespace

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsSafeFolderName(std::string_view name) {
  if (name.empty()) return true;
  if (std::all_of(name.begin(), name.end(), IsDotOrSpace)) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return IsControlCharacter(c) || kCharactersNotInFileNames.find(c) != std::string_view::npos;
  });
}

std::string WithoutSpaces(std::string_view name) {
  std::string stripped;
  std::copy_if(name.begin(), name.end(), std::back_inserter(stripped), [](char c) { return c != ' '; });
  return stripped;
}

std::optional<std::string> ResolveFolderName(std::string_view wanted, const std::vector<FolderEntry>& entries,
                                             NameEquality equal) {
  if (!IsSafeFolderName(wanted)) return std::nullopt;
  const std::string wanted_stripped = WithoutSpaces(wanted);
  for (const FolderEntry& entry : entries) {
    if (entry.attributes != kPlainFolderAttributes) continue;
    if (!equal(WithoutSpaces(entry.name), wanted_stripped)) continue;
    // Only spaces the wanted name lacks can make a match this long.
    if (entry.name.size() >= kNameCapacity) break;
    return entry.name;
  }
  return std::string(wanted);
}

}  // namespace corvane
