#include "viewer/history_tree/history_size_text.h"

namespace corvane {

std::string HistorySizeText(std::uint32_t totalBytes) {
  const std::uint32_t mebibytes = totalBytes >> 20;
  if (mebibytes == 0) {
    return "<1";
  }
  return std::to_string(mebibytes);
}

}  // namespace corvane
