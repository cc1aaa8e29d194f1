#include "hooklib/core/subclass_rows.h"

#include <cstring>

namespace corvane {

bool PatternMatches(const RowPattern& row, const char* windowClass, const char* parentClass,
                    const char* grandparentClass) {
  auto same = [](const char* want, const char* have) {
    return want == nullptr || std::strcmp(want, have) == 0;
  };
  return same(row.windowClass, windowClass) && same(row.parentClass, parentClass) &&
         same(row.grandparentClass, grandparentClass);
}

}  // namespace corvane
