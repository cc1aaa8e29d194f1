// Names in the history tree: the user and buddy folders' names, the session
// key that heads a block, its key line, and the day file's name.  Shared by
// the hook library, which writes the tree, and the viewer, which reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/capacities.h"
#include "common/code_page_characters.h"

namespace corvane {

// The folder a user, buddy or room name is written into.  Windows refuses
// some real names as file names; they are kept under a mended name: every
// ':' becomes '-' (as the title's first one already has), every '*', '?',
// '"', '<', '>', '|' and control character '_', and a reserved device name
// (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1 to COM9, LPT1 to LPT9, in any
// case; the part before the first dot decides, trailing spaces aside) gets
// '_' right after it: "con" is kept in "con_", "nul.txt" in "nul_.txt".  At
// most kNameCapacity - 1 bytes, never half a character.  No folder for a
// name that could leave its parent or alias it: one with '\' or '/', or made
// only of dots and spaces, which Windows reduces to nothing or to "..".  The
// empty name stays empty: it stands for the parent folder itself.  The name
// is read by character in the code page of `lead`: the trail byte of a
// two-byte character is never taken for one of the characters above.
std::optional<std::string> HistoryFolderName(std::string_view name, const LeadBytes& lead);

// Case-insensitive equality of ASCII letters; other characters must be
// equal, and so must both bytes of a two-byte character, whose trail byte
// may have a letter's value.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b, const LeadBytes& lead);
// The same against a text of ASCII characters alone (a fixed word, an
// option, a generated file name): a lead byte never equals an ASCII one, so
// no trail byte is ever folded and any code page gives the same answer.
bool EqualsAsciiIgnoringCase(std::string_view text, std::string_view ascii);

// A screen name as names compare, without its spaces ("John Doe" is
// "johndoe"); byte by byte: no code page has a trail byte of a space's value.
std::string WithoutSpaces(std::string_view name);

// "hh:mm:ss-handle" of the local time and the window handle in lower-case
// hex, cut to kSessionKeyCapacity - 1 characters.  Real times and 32-bit
// handles give at most 17 characters, so only out-of-range times are cut.
std::string MakeSessionKey(int hour, int minute, int second, std::uint32_t windowHandle);

// The line that heads a session's block in a day file, without its line feed.
std::string SessionKeyLine(std::string_view sessionKey);

// "Sunday" for 0 to "Saturday" for 6; empty for any other value.
std::string_view EnglishWeekdayName(int dayOfWeek);

// "yyyy-mm-dd [Weekday].html", e.g. "2002-06-14 [Friday].html"; empty when
// the day of the week is not 0 to 6.
std::string DayFileName(int year, int month, int day, int dayOfWeek);

}  // namespace corvane
