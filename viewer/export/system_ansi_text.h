// The conversion of the system's ANSI code page, by Windows itself.
#pragma once

#include <string>
#include <string_view>

#include "viewer/export/ansi_text.h"

namespace corvane {

class SystemAnsiToUtf8 final : public AnsiToUtf8 {
 protected:
  void AppendConverted(std::string_view ansi, std::string& utf8) override;

 private:
  std::wstring wide_;  // kept between calls, so a day needs no new buffer
};

}  // namespace corvane
