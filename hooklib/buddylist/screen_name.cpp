#include "hooklib/buddylist/screen_name.h"

#include "common/capacities.h"

namespace corvane {

std::optional<std::string> ScreenNameFromTitle(std::string_view title, const LeadBytes& lead) {
  std::size_t end = title.find("'s ");
  if (end == std::string_view::npos) end = title.find("' ");
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view name = title.substr(0, end);
  return std::string(name.substr(0, WholeCharactersWithin(name, kNameCapacity - 1, lead)));
}

}  // namespace corvane
