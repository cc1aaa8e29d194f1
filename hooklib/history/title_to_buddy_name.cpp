#include "hooklib/history/title_to_buddy_name.h"

#include "common/history_naming.h"

namespace corvane {

std::optional<std::string> TitleToBuddyName(std::string_view title) {
  if (title.empty()) return std::nullopt;
  std::string name(title);
  // The name becomes a folder name, in which a colon cannot stand.
  const std::size_t colon = name.find(':');
  if (colon != std::string::npos) name[colon] = '-';
  const std::size_t suffix = name.find(" - ");
  if (suffix != std::string::npos) name.erase(suffix);
  if (name.size() > kNameCapacity - 1) name.erase(kNameCapacity - 1);
  return name;
}

}  // namespace corvane
