#include "viewer/export/ansi_text.h"

#include <windows.h>

namespace corvane {

// A 32-bit process never holds a text near 2 GB beside its wide copy, so
// the lengths fit the calls' ints.
void SystemAnsiToUtf8::AppendConverted(std::string_view ansi, std::string& utf8) {
  const int bytes = static_cast<int>(ansi.size());
  wide_.resize(ansi.size());
  const int chars = MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, &wide_[0], bytes);
  // No UTF-16 unit of the code page's characters needs more than 3 bytes.
  const std::size_t start = utf8.size();
  utf8.resize(start + 3 * static_cast<std::size_t>(chars));
  const int written = WideCharToMultiByte(CP_UTF8, 0, wide_.data(), chars, &utf8[start], 3 * chars,
                                          nullptr, nullptr);
  utf8.resize(start + static_cast<std::size_t>(written));
}

}  // namespace corvane
