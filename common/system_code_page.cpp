#include "common/code_page_characters.h"

#include <windows.h>

namespace corvane {
namespace {

LeadBytes ReadLeadBytes() {
  LeadBytes lead;
  for (unsigned b = 0x80; b < lead.size(); ++b) {
    if (IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(b))) lead.set(b);
  }
  return lead;
}

}  // namespace

// The code page is fixed for the life of a process.
const LeadBytes& SystemLeadBytes() {
  static const LeadBytes kLead = ReadLeadBytes();
  return kLead;
}

}  // namespace corvane
