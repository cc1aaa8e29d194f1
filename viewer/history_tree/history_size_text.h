// The text of the "Total History Size" field, in whole mebibytes.
#pragma once

#include <cstdint>
#include <string>

namespace corvane {

// Whole mebibytes, truncated ("3" for 3,500,000 bytes); "<1" below one
// mebibyte.
std::string HistorySizeText(std::uint64_t totalBytes);

}  // namespace corvane
