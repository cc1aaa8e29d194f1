// The case-insensitive fold table of the system's ANSI code page.
#pragma once

#include "viewer/html/text_find.h"

namespace corvane {

// Each byte as CharLowerBuff lowers it in the ANSI code page, so that "Ä"
// compares as "ä".  Made once per search, then handed to the plain matchers.
FoldTable MakeAnsiLowerFold();

}  // namespace corvane
