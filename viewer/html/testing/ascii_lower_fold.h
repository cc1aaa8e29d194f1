// A fold table for tests that need no code page.
#pragma once

#include "viewer/html/text_find.h"

namespace corvane {

// A..Z as a..z, every other byte as itself.
inline FoldTable AsciiLowerFold() {
  FoldTable fold = IdentityFold();
  for (unsigned char c = 'A'; c <= 'Z'; ++c) fold[c] = static_cast<unsigned char>(c - 'A' + 'a');
  return fold;
}

}  // namespace corvane
