#include "common/code_page_characters.h"

namespace corvane {

namespace {

// No double-byte code page of Windows has trail bytes below this, and its
// conversions leave such a byte after a lead byte a character of its own:
// a '/' or a NUL there is a '/' or the end.
constexpr unsigned char kLowestTrailByte = 0x40;

}  // namespace

std::size_t CharacterSize(std::string_view text, std::size_t at, const LeadBytes& lead) {
  const bool two = lead[static_cast<unsigned char>(text[at])] && at + 1 < text.size() &&
                   static_cast<unsigned char>(text[at + 1]) >= kLowestTrailByte;
  return two ? 2 : 1;
}

bool HasSingleByteCharacter(std::string_view text, std::string_view characters,
                            const LeadBytes& lead) {
  for (std::size_t at = 0; at < text.size(); at += CharacterSize(text, at, lead)) {
    if (characters.find(text[at]) != std::string_view::npos) return true;
  }
  return false;
}

std::size_t WholeCharactersWithin(std::string_view text, std::size_t limit, const LeadBytes& lead) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + CharacterSize(text, end, lead);
    if (next > limit) break;
    end = next;
  }
  return end;
}

}  // namespace corvane
