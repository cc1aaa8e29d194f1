#include "viewer/history_tree/history_size_text.h"

namespace corvane {

std::string HistorySizeText(std::uint64_t totalBytes) {
  const std::uint64_t mebibytes = totalBytes >> 20;
  if (mebibytes == 0) {
    return "<1";
  }
  return std::to_string(mebibytes);
}

}  // namespace corvane
