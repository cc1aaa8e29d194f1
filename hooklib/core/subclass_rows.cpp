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

PopupVerdict JudgePopup(PopupKind kind, const PopupFacts& facts) {
  if (facts.allowSetting || facts.todayAsked) return {false, true};
  if (kind == PopupKind::kToday) return {true, false};
  const bool quiet =
      facts.buddyListCreated && facts.now <= facts.buddyListCreatedAt + kMiniBrowserQuietPeriod;
  return {quiet, false};
}

}  // namespace corvane
