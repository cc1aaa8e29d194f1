// A stand-in for the system's conversion of a code page to UTF-8, from its
// lead bytes alone, for tests where there is no Windows to convert.  It is
// the worst converter a double-byte code page can have: a lead byte takes
// whatever byte follows it as its trail, as Wine's does with a quote.  Each
// character becomes a code point of its own (a single byte its Latin-1
// one, a pair one of plane 15), so that the text can be read back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/code_page_characters.h"
#include "viewer/export/ansi_text.h"

namespace corvane {

constexpr std::uint32_t kModelPairBase = 0xF0000;

inline void AppendUtf8CodePoint(std::uint32_t codePoint, std::string& utf8) {
  if (codePoint < 0x80) {
    utf8 += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

class ModelAnsiToUtf8 final : public AnsiToUtf8 {
 public:
  explicit ModelAnsiToUtf8(const LeadBytes& lead) : lead_(lead) {}

 protected:
  void AppendConverted(std::string_view ansi, std::string& utf8) override {
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto byte = static_cast<unsigned char>(ansi[i]);
      if (lead_[byte] && i + 1 < ansi.size()) {
        AppendUtf8CodePoint(kModelPairBase + (byte << 8 | static_cast<unsigned char>(ansi[++i])),
                            utf8);
      } else {
        AppendUtf8CodePoint(byte, utf8);
      }
    }
  }

 private:
  LeadBytes lead_;
};

// The code page's bytes again from what ModelAnsiToUtf8 made, or nothing
// when `utf8` is not UTF-8 or holds a character it never makes.
inline std::optional<std::string> ModelAnsiOf(std::string_view utf8) {
  std::string ansi;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto first = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = first < 0x80         ? 1
                               : first >> 5 == 0x6  ? 2
                               : first >> 3 == 0x1E ? 4
                                                    : 0;
    if (length == 0 || i + length > utf8.size()) return std::nullopt;
    std::uint32_t codePoint = length == 1 ? first : length == 2 ? first & 0x1F : first & 0x07;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if (next >> 6 != 0x2) return std::nullopt;
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    i += length;
    if (length == 2 && codePoint >= 0x80 && codePoint <= 0xFF) {
      ansi += static_cast<char>(codePoint);
    } else if (length == 4 && codePoint >= kModelPairBase + 0x8000 &&
               codePoint <= kModelPairBase + 0xFFFF) {
      ansi += static_cast<char>((codePoint >> 8) & 0xFF);
      ansi += static_cast<char>(codePoint & 0xFF);
    } else if (length == 1) {
      ansi += static_cast<char>(codePoint);
    } else {
      return std::nullopt;
    }
  }
  return ansi;
}

}  // namespace corvane
