#include "testhost/host_names.h"

namespace testhost {

std::string BuddyListTitle(const std::string& screenName) { return screenName + "'s Buddy List"; }
std::string ImWindowTitle(const std::string& buddy) { return buddy + " - Instant Message"; }
std::string ChatWindowTitle(const std::string& room) { return room + " - Chat"; }

std::string ScreenNameFromTitle(const std::string& title) {
  size_t end = title.find("'s ");
  if (end == std::string::npos) end = title.find("' ");
  return title.substr(0, end);
}

}  // namespace testhost
