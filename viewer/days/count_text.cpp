#include "viewer/days/count_text.h"

namespace corvane {

std::string GroupedNumber(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string DaysText(std::size_t days) {
  return GroupedNumber(days) + (days == 1 ? " day" : " days");
}

}  // namespace corvane
