// The attribute values of the tags the host writes, read as the HTML view
// needs them.  Each returns nothing for a value it cannot use, so that the
// surrounding format stays as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

inline bool operator==(const Rgb& a, const Rgb& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }

// "#rrggbb", "#rgb", the same without '#', or one of the sixteen basic colour
// names (any case).
std::optional<Rgb> ParseHtmlColour(std::string_view value);

// The point size for FONT SIZE: 1..7, or +n / -n from the default 3; values
// outside 1..7 are held at the nearest end.
std::optional<int> PointsForFontSize(std::string_view value);

// The point size of text outside any FONT SIZE (HTML size 3).
constexpr int kDefaultPoints = 12;

// The first face of a FACE list, at most the 31 characters a font face name
// holds.
std::optional<std::string> FirstFontFace(std::string_view value);

// The target of A HREF when the view may open it: an http, https or mailto
// address (scheme in any case), without the white space around it and the
// control characters in it, which a browser ignores too.
std::optional<std::string> OpenableLinkTarget(std::string_view href);

}  // namespace corvane
