#include "viewer/days/history_day.h"

#include <windows.h>

namespace corvane {

FoldTable MakeAnsiLowerFold() {
  FoldTable fold = IdentityFold();
  for (std::size_t c = 1; c < fold.size(); ++c) {
    char one = static_cast<char>(c);
    CharLowerBuffA(&one, 1);
    fold[c] = static_cast<unsigned char>(one);
  }
  return fold;
}

}  // namespace corvane
