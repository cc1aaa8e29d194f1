#include "viewer/export/ansi_text.h"

#include <windows.h>

namespace corvane {

// A 32-bit process never holds a text near 2 GB beside its wide copy, so
// the lengths fit the calls' ints.
void AnsiToUtf8::Convert(std::string_view ansi, std::string& utf8) {
  utf8.clear();
  if (ansi.empty()) return;
  const int bytes = static_cast<int>(ansi.size());
  wide_.resize(ansi.size());
  const int chars = MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, &wide_[0], bytes);
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, wide_.data(), chars, nullptr, 0, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(needed));
  WideCharToMultiByte(CP_UTF8, 0, wide_.data(), chars, &utf8[0], needed, nullptr, nullptr);
}

std::string AnsiToUtf8::Convert(std::string_view ansi) {
  std::string utf8;
  Convert(ansi, utf8);
  return utf8;
}

}  // namespace corvane
