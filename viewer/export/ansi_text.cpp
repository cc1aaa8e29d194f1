#include "viewer/export/ansi_text.h"

#include <algorithm>

namespace corvane {

void AnsiToUtf8::Append(std::string_view ansi, std::string& utf8) {
  const bool ascii = std::all_of(ansi.begin(), ansi.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) {
    utf8 += ansi;
  } else {
    AppendConverted(ansi, utf8);
  }
}

std::string AnsiToUtf8::Convert(std::string_view ansi) {
  std::string utf8;
  Append(ansi, utf8);
  return utf8;
}

}  // namespace corvane
