#include "hooklib/buddylist/screen_name.h"

#include <algorithm>

#include "common/capacities.h"

namespace corvane {

std::optional<std::string> ScreenNameFromTitle(std::string_view title) {
  std::size_t end = title.find("'s ");
  if (end == std::string_view::npos) end = title.find("' ");
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(title.substr(0, std::min(end, kNameCapacity - 1)));
}

}  // namespace corvane
