#include "viewer/html/html_entities.h"

namespace corvane {
namespace {

struct NamedReference {
  std::string_view name;
  std::uint32_t codePoint;
};

// The references the host and ordinary HTML writers escape with.
constexpr NamedReference kNamedReferences[] = {
    {"amp", '&'},   {"lt", '<'},  {"gt", '>'}, {"quot", '"'}, {"apos", '\''},
    {"nbsp", 0xA0}, {"AMP", '&'}, {"LT", '<'}, {"GT", '>'},   {"QUOT", '"'},
};

// Windows-1252 bytes 0x80..0x9F that stand for characters beyond Latin-1.
struct AnsiExtra {
  std::uint32_t codePoint;
  unsigned char byte;
};
constexpr AnsiExtra kAnsiExtras[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};

constexpr std::uint32_t kLastCodePoint = 0x10FFFF;

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "&#" digits [";"]; a value past the last code point stays just past it, so
// no number is too long.
std::optional<std::uint32_t> ReadNumericReference(std::string_view text, std::size_t pos,
                                                  std::size_t& length) {
  std::size_t i = pos + 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::uint32_t base = hex ? 16 : 10;
  const std::size_t firstDigit = i;
  std::uint32_t value = 0;
  for (int digit; i < text.size() && (digit = DigitValue(text[i], hex)) >= 0; ++i) {
    value = value * base + static_cast<std::uint32_t>(digit);
    if (value > kLastCodePoint) value = kLastCodePoint + 1;
  }
  if (i == firstDigit) return std::nullopt;
  if (i < text.size() && text[i] == ';') ++i;
  length = i - pos;
  return value;
}

std::optional<std::uint32_t> ReadNamedReference(std::string_view text, std::size_t pos,
                                                std::size_t& length) {
  for (const NamedReference& reference : kNamedReferences) {
    const std::size_t end = pos + 1 + reference.name.size();
    if (text.compare(pos + 1, reference.name.size(), reference.name) == 0 && end < text.size() &&
        text[end] == ';') {
      length = end + 1 - pos;
      return reference.codePoint;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> ReadCharacterReference(std::string_view text, std::size_t pos,
                                                    std::size_t& length) {
  if (pos >= text.size() || text[pos] != '&') return std::nullopt;
  if (pos + 1 < text.size() && text[pos + 1] == '#') return ReadNumericReference(text, pos, length);
  return ReadNamedReference(text, pos, length);
}

std::optional<char> AnsiFromCodePoint(std::uint32_t codePoint) {
  switch (codePoint) {
    case '\t':
    case '\n':
    case '\f':
    case '\r':
      return static_cast<char>(codePoint);
    case 0:
      return '?';
    default:
      break;
  }
  if (codePoint < 0x20 || codePoint == 0x7F) return std::nullopt;
  if (codePoint <= 0xFF) return static_cast<char>(static_cast<unsigned char>(codePoint));
  for (const AnsiExtra& extra : kAnsiExtras) {
    if (extra.codePoint == codePoint) return static_cast<char>(extra.byte);
  }
  return '?';
}

std::string DecodeAttributeValue(std::string_view value) {
  std::string decoded;
  decoded.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    std::size_t length = 0;
    if (const auto codePoint = ReadCharacterReference(value, i, length)) {
      if (const auto ansi = AnsiFromCodePoint(*codePoint)) decoded += *ansi;
      i += length;
    } else {
      decoded += value[i++];
    }
  }
  return decoded;
}

}  // namespace corvane
