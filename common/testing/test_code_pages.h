// Lead-byte tables of code pages, for tests of the rules on plain values:
// the double-byte ANSI code pages of Windows (Japanese 932, Simplified
// Chinese 936, Korean 949, Traditional Chinese 950) and a single-byte one.
#pragma once

#include "common/code_page_characters.h"

namespace corvane {

inline const LeadBytes kSingleByteCodePage;

inline LeadBytes LeadByteRange(int first, int last, LeadBytes lead = {}) {
  for (int b = first; b <= last; ++b) lead.set(static_cast<std::size_t>(b));
  return lead;
}

inline LeadBytes ShiftJisLeadBytes() {
  return LeadByteRange(0xE0, 0xFC, LeadByteRange(0x81, 0x9F));
}

struct TestCodePage {
  int number;
  LeadBytes lead;
};

// 936, 949 and 950 share their lead bytes.
inline const TestCodePage kDoubleByteCodePages[] = {
    {932, ShiftJisLeadBytes()},
    {936, LeadByteRange(0x81, 0xFE)},
    {949, LeadByteRange(0x81, 0xFE)},
    {950, LeadByteRange(0x81, 0xFE)},
};

}  // namespace corvane
