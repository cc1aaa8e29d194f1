// The command line the History Viewer is started with: the user's screen
// name in double quotes and, from a conversation window, the buddy's.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The arguments are formed in a buffer of this many bytes, NUL included;
// longer text is cut, even inside the closing quote.
inline constexpr std::size_t kHistoryViewerArgumentsCapacity = 68;

std::string HistoryViewerArguments(std::string_view screenName,
                                   std::optional<std::string_view> buddyName);

}  // namespace corvane
