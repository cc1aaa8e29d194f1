// The names the history takes from the host: the buddy or chat-room name
// that a conversation window's title gives, and which folder a user or
// buddy name is written into (an existing folder whose name matches, or the
// name itself).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_page_characters.h"
#include "common/history_naming.h"

namespace corvane {

// Attribute value of a folder with no further attribute bit (read-only,
// hidden, archive, ...).  Only such folders are matched.
inline constexpr std::uint32_t kPlainFolderAttributes = 0x10;

// One entry of a folder listing, in the order the file system returns them.
struct FolderEntry {
  std::string name;
  std::uint32_t attributes;
};

// Case-insensitive equality as the platform compares names (lstrcmpiA on
// Windows, which also folds the letters of the ANSI code page).
using NameEquality = bool (*)(const std::string& a, const std::string& b);

// No value when the wanted name has no folder (HistoryFolderName): nothing
// may be made for it.  Otherwise the name of the first plain folder among the
// entries that equals the wanted name's folder name once all spaces are
// removed from both, as it is on disk; or that folder name, spaces included,
// when none matches or the match would not fit a name buffer of
// kNameCapacity characters.  Names are read in the code page of `lead`.
std::optional<std::string> ResolveFolderName(std::string_view wanted,
                                             const std::vector<FolderEntry>& entries,
                                             NameEquality equal, const LeadBytes& lead);

// The title is read into a buffer of this size (at most 254 characters of
// title).  The name depends on the first 43 characters only, so a longer
// title gives the same name however it is cut.
inline constexpr std::size_t kTitleBufferSize = 256;

// The title with its first ':' turned into '-', cut at its first " - ", and
// at most kNameCapacity - 1 bytes of that, never half a two-byte character
// of the code page of `lead`.  No name for an empty title; a title that
// starts with " - " gives an empty name.
std::optional<std::string> TitleToBuddyName(std::string_view title, const LeadBytes& lead);

}  // namespace corvane
