#include "hooklib/history/title_to_buddy_name.h"

#include "common/history_naming.h"

namespace corvane {

std::optional<std::string> TitleToBuddyName(std::string_view title, const LeadBytes& lead) {
  if (title.empty()) return std::nullopt;
  std::string name(title);
  // The name becomes a folder name, in which a colon cannot stand.
  const std::size_t colon = name.find(':');
  if (colon != std::string::npos) name[colon] = '-';
  const std::size_t suffix = name.find(" - ");
  if (suffix != std::string::npos) name.erase(suffix);
  name.resize(WholeCharactersWithin(name, kNameCapacity - 1, lead));
  return name;
}

}  // namespace corvane
