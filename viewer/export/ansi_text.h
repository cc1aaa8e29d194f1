// Text of the system's ANSI code page, as history files and folder names
// hold it, in UTF-8.  Every export escapes the UTF-8, never the code page's
// bytes: in a double-byte code page a lead byte takes the byte after it as
// its trail, so a quote or a '>' written after one would vanish into a
// character when converted.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace corvane {

class AnsiToUtf8 {
 public:
  virtual ~AnsiToUtf8() = default;

  // Appends `ansi` converted through the code page (double-byte ones
  // included); characters the code page lacks never occur in it.
  void Append(std::string_view ansi, std::string& utf8) {
    const bool ascii = std::all_of(ansi.begin(), ansi.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
      utf8 += ansi;
    } else {
      AppendConverted(ansi, utf8);
    }
  }

  std::string Convert(std::string_view ansi) {
    std::string utf8;
    Append(ansi, utf8);
    return utf8;
  }

 protected:
  // `ansi` holds a byte above 0x7F; every ANSI code page leaves the bytes
  // below it ASCII, so text without one is its own UTF-8.
  virtual void AppendConverted(std::string_view ansi, std::string& utf8) = 0;
};

// The conversion of the system's ANSI code page, by Windows itself
// (system_ansi_text.cpp, Windows only).
class SystemAnsiToUtf8 final : public AnsiToUtf8 {
 protected:
  void AppendConverted(std::string_view ansi, std::string& utf8) override;

 private:
  std::wstring wide_;  // kept between calls, so a day needs no new buffer
};

}  // namespace corvane
