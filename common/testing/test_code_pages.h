// Lead-byte tables of code pages, for tests of the name rules on plain
// values: the Japanese ANSI code page 932 (Shift-JIS) and a single-byte one.
#pragma once

#include "common/code_page_characters.h"

namespace corvane {

inline const LeadBytes kSingleByteCodePage;

inline LeadBytes ShiftJisLeadBytes() {
  LeadBytes lead;
  for (int b = 0x81; b <= 0x9F; ++b) lead.set(static_cast<std::size_t>(b));
  for (int b = 0xE0; b <= 0xFC; ++b) lead.set(static_cast<std::size_t>(b));
  return lead;
}

}  // namespace corvane
