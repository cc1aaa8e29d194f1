// Character references of HTML text, decoded into the ANSI (Windows-1252)
// characters the HTML view shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Reads the reference that starts at text[pos] ('&'): &name; for the names
// the host escapes with, &#NNN; and &#xHH; (the ';' may be missing after a
// number).  Returns its code point and sets length to the characters it
// spans, or returns nothing when no reference starts there.
std::optional<std::uint32_t> ReadCharacterReference(std::string_view text, std::size_t pos,
                                                    std::size_t& length);

// The ANSI character for a code point: Latin-1 and the Windows-1252 extras as
// they are, '?' for what ANSI cannot show, nothing for invisible control
// characters.  Tab, line feed, form feed and carriage return come back as
// themselves, for the caller to treat as white space.
std::optional<char> AnsiFromCodePoint(std::uint32_t codePoint);

// An attribute value with its references decoded; white space is kept.
std::string DecodeAttributeValue(std::string_view value);

}  // namespace corvane
