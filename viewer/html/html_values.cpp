#include "viewer/html/html_values.h"

#include <cstddef>

#include "common/code_page_characters.h"
#include "common/history_naming.h"

namespace corvane {
namespace {

struct NamedColour {
  std::string_view name;
  Rgb rgb;
};

constexpr NamedColour kNamedColours[] = {
    {"black", {0x00, 0x00, 0x00}},  {"silver", {0xC0, 0xC0, 0xC0}}, {"gray", {0x80, 0x80, 0x80}},
    {"grey", {0x80, 0x80, 0x80}},   {"white", {0xFF, 0xFF, 0xFF}},  {"maroon", {0x80, 0x00, 0x00}},
    {"red", {0xFF, 0x00, 0x00}},    {"purple", {0x80, 0x00, 0x80}}, {"fuchsia", {0xFF, 0x00, 0xFF}},
    {"green", {0x00, 0x80, 0x00}},  {"lime", {0x00, 0xFF, 0x00}},   {"olive", {0x80, 0x80, 0x00}},
    {"yellow", {0xFF, 0xFF, 0x00}}, {"navy", {0x00, 0x00, 0x80}},   {"blue", {0x00, 0x00, 0xFF}},
    {"teal", {0x00, 0x80, 0x80}},   {"aqua", {0x00, 0xFF, 0xFF}},
};

// Browser sizes 1..7 in points.
constexpr int kPointsForSize[] = {8, 10, 12, 14, 18, 24, 36};
constexpr int kDefaultFontSize = 3;

constexpr std::size_t kMaxFaceLength = 31;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view Trim(std::string_view value) {
  while (!value.empty() && IsSpace(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsSpace(value.back())) value.remove_suffix(1);
  return value;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool AllHex(std::string_view digits) {
  for (char c : digits) {
    if (HexValue(c) < 0) return false;
  }
  return true;
}

std::uint8_t HexByte(char high, char low) {
  return static_cast<std::uint8_t>(HexValue(high) * 16 + HexValue(low));
}

}  // namespace

std::optional<Rgb> ParseHtmlColour(std::string_view value) {
  value = Trim(value);
  for (const NamedColour& colour : kNamedColours) {
    if (EqualsAsciiIgnoringCase(value, colour.name)) return colour.rgb;
  }
  if (!value.empty() && value.front() == '#') value.remove_prefix(1);
  if (!AllHex(value)) return std::nullopt;
  if (value.size() == 6) {
    return Rgb{HexByte(value[0], value[1]), HexByte(value[2], value[3]),
               HexByte(value[4], value[5])};
  }
  if (value.size() == 3)
    return Rgb{HexByte(value[0], value[0]), HexByte(value[1], value[1]),
               HexByte(value[2], value[2])};
  return std::nullopt;
}

std::optional<int> PointsForFontSize(std::string_view value) {
  value = Trim(value);
  int sign = 0;
  if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
    sign = value.front() == '+' ? 1 : -1;
    value.remove_prefix(1);
  }
  int number = 0;
  std::size_t digits = 0;
  for (; digits < value.size() && value[digits] >= '0' && value[digits] <= '9'; ++digits) {
    if (number < 100) number = number * 10 + (value[digits] - '0');
  }
  if (digits == 0) return std::nullopt;
  int size = sign == 0 ? number : kDefaultFontSize + sign * number;
  if (size < 1) size = 1;
  if (size > 7) size = 7;
  return kPointsForSize[size - 1];
}

std::optional<std::string> FirstFontFace(std::string_view value) {
  const std::string_view face = Trim(value.substr(0, value.find(',')));
  if (face.empty()) return std::nullopt;
  return std::string(face.substr(0, kMaxFaceLength));
}

std::optional<std::string> OpenableLinkTarget(std::string_view href) {
  while (!href.empty() && static_cast<unsigned char>(href.front()) <= 0x20) href.remove_prefix(1);
  while (!href.empty() && static_cast<unsigned char>(href.back()) <= 0x20) href.remove_suffix(1);
  std::string target;
  for (char c : href) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) target += c;
  }
  const std::size_t colon = target.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string_view scheme = std::string_view(target).substr(0, colon);
  if (EqualsAsciiIgnoringCase(scheme, "http") || EqualsAsciiIgnoringCase(scheme, "https") ||
      EqualsAsciiIgnoringCase(scheme, "mailto")) {
    return target;
  }
  return std::nullopt;
}

}  // namespace corvane
