// Window titles the host gives its windows, and the screen name that
// outside programs read back from the Buddy List's title.
#pragma once

#include <string>

namespace testhost {

std::string BuddyListTitle(const std::string& screenName);  // "alice's Buddy List"
std::string ImWindowTitle(const std::string& buddy);        // "bob - Instant Message"
std::string ChatWindowTitle(const std::string& room);       // "Lounge - Chat"
// The text before the first "'s ", else before the first "' ", else all of it.
std::string ScreenNameFromTitle(const std::string& title);

}  // namespace testhost
