#include "hooklib/hook/popup_rules.h"

namespace corvane {

PopupVerdict JudgePopup(PopupKind kind, const PopupFacts& facts) {
  if (facts.allowSetting || facts.todayAsked) return {false, true};
  if (kind == PopupKind::kToday) return {true, false};
  const bool quiet =
      facts.buddyListCreated && facts.now <= facts.buddyListCreatedAt + kMiniBrowserQuietPeriod;
  return {quiet, false};
}

}  // namespace corvane
