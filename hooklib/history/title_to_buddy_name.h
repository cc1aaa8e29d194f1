// The buddy or chat-room name that a conversation window's title gives.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/code_page_characters.h"

namespace corvane {

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
