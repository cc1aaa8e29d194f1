// Counts as the viewer's windows and command line write them.
#pragma once

#include <cstddef>
#include <string>

namespace corvane {

// "1,234": the number with its thousands separated by commas.
std::string GroupedNumber(std::size_t n);

// "1 day", "1,234 days".
std::string DaysText(std::size_t days);

}  // namespace corvane
