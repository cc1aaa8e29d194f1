// The lead bytes of the system's ANSI code page, which every "A" function
// of Windows and every name on disk seen through them is written in.
#pragma once

#include "common/code_page_characters.h"

namespace corvane {

const LeadBytes& SystemLeadBytes();

}  // namespace corvane
