#include "hooklib/history/folder_name.h"

#include "common/history_naming.h"

namespace corvane {

std::optional<std::string> ResolveFolderName(std::string_view wanted,
                                             const std::vector<FolderEntry>& entries,
                                             NameEquality equal, const LeadBytes& lead) {
  const std::optional<std::string> folder = HistoryFolderName(wanted, lead);
  if (!folder) return std::nullopt;
  const std::string wantedStripped = WithoutSpaces(*folder);
  for (const FolderEntry& entry : entries) {
    if (entry.attributes != kPlainFolderAttributes) continue;
    if (!equal(WithoutSpaces(entry.name), wantedStripped)) continue;
    // Only spaces the wanted name lacks can make a match this long.
    if (entry.name.size() >= kNameCapacity) break;
    return entry.name;
  }
  return folder;
}

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
