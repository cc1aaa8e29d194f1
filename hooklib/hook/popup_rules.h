// Whether the host's promotional pop-ups may be created.  Platform-free.
#pragma once

#include <cstdint>

namespace corvane {

enum class PopupKind { kToday, kMiniBrowser };

// A mini-browser window is refused up to and including this long after the
// Buddy List's creation, in FILETIME units (100 ns): 5 seconds.
inline constexpr uint64_t kMiniBrowserQuietPeriod = 50'000'000;

struct PopupFacts {
  bool allowSetting;      // AllowAIMTodayPopup
  bool todayAsked;        // AimTodayAsked: the user invoked command 1140
  bool buddyListCreated;  // a Buddy List window exists in this process
  uint64_t buddyListCreatedAt;
  uint64_t now;  // current system time
};

struct PopupVerdict {
  bool refuse;
  bool clearTodayAsked;
};

PopupVerdict JudgePopup(PopupKind kind, const PopupFacts& facts);

}  // namespace corvane
