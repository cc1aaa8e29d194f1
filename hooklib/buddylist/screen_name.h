// The signed-on user's screen name as the Buddy List title shows it
// ("alice's Buddy List", "chris' Buddy List").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/code_page_characters.h"

namespace corvane {

// The text before the first "'s ", or else before the first "' ", cut to
// fit a name buffer with its NUL, never inside a two-byte character of the
// code page of `lead`; no value when the title has neither.
std::optional<std::string> ScreenNameFromTitle(std::string_view title, const LeadBytes& lead);

}  // namespace corvane
