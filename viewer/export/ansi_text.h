// Text of the system's ANSI code page, as history files and folder names
// hold it, in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class AnsiToUtf8 {
 public:
  // Sets `utf8` to `ansi` converted through the ANSI code page (double-byte
  // ones included); characters the code page lacks never occur in it.
  void Convert(std::string_view ansi, std::string& utf8);
  std::string Convert(std::string_view ansi);

 private:
  std::wstring wide_;  // kept between calls, so a day needs no new buffer
};

}  // namespace corvane
