// Characters of an ANSI code page.  In a double-byte code page (Japanese,
// Chinese, Korean) a lead byte and the byte after it are one character, and
// that trail byte can have the value of '\', '|' or an ASCII letter:
// Shift-JIS "表" is 0x95 0x5C.  Names are therefore scanned by character.
#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace corvane {

// An ASCII letter in lower case; every other byte as it is, so a lead or
// trail byte of a two-byte character is never changed.
constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Which bytes lead a two-byte character.  None in a single-byte code page.
using LeadBytes = std::bitset<256>;

// 2 when a lead byte and a trail byte stand at `at`, else 1.
std::size_t CharacterSize(std::string_view text, std::size_t at, const LeadBytes& lead);

// True when the text holds one of `characters` as a character of its own,
// not as the trail byte of a two-byte character.
bool HasSingleByteCharacter(std::string_view text, std::string_view characters,
                            const LeadBytes& lead);

// The length of the longest start of `text` of at most `limit` bytes that
// does not cut a two-byte character in half.
std::size_t WholeCharactersWithin(std::string_view text, std::size_t limit, const LeadBytes& lead);

// The lead bytes of the system's ANSI code page, which every "A" function
// of Windows and every name on disk seen through them is written in
// (system_code_page.cpp, Windows only).
const LeadBytes& SystemLeadBytes();

}  // namespace corvane
