// Which new windows get which subclass: patterns of (class, parent class,
// grandparent class), and whether a row is tried before or after the pop-up
// rules, and those pop-up rules: whether the host's promotional pop-ups
// may be created.  Platform-free, so both are tested natively.
//
// The rows are numbered here, because per-process state keeps one saved host
// procedure per row.  kRowPatterns gives each row its pattern and phase; the
// hook's table (hooklib/hook/subclass_table.h) gives each row its procedure.
// Both tables name the row of every entry and fail to compile when entry i
// is not row i, so the three can no longer drift apart by position.
#pragma once

#include <cstdint>

namespace corvane {

enum SubclassRow {
  kRowBuddyList,      // _Oscar_BuddyListWin
  kRowChatWindow,     // AIM_ChatWnd
  kRowIMWindow,       // AIM_IMessage
  kRowIMTextControl,  // Ate32Class in WndAte32Class in AIM_IMessage
  kRowIMTextFrame,    // WndAte32Class in AIM_IMessage
  kRowButtonRowEdit,  // Edit in the Buddy List
  kRowBuddyListAte,   // Ate32Class in the Buddy List
  kRowAdPane,         // WndAte32Class in the Buddy List
  kRowTabGroup,       // _Oscar_TabGroup in the Buddy List
  kRowGeneralButton,  // _Oscar_IconBtn in the Buddy List
  kRowStatic,         // _Oscar_Static in the Buddy List
  kRowSeparator,      // _Oscar_Separator in the Buddy List
  kRowBuddyTree,      // _Oscar_Tree in the tab group
  kRowListButton,     // _Oscar_IconBtn in the tab group
  kRowCount
};

// The host's pop-ups that the hook may refuse.
inline constexpr const char kTodayClass[] = "AIM_AimTodayWnd";
inline constexpr const char kMiniBrowserClass[] = "_aim_MiniBrowserClass";

// The host's top-level windows are subclassed before the pop-up rules run,
// their children after.
enum class SubclassPhase { kBeforePopupRules, kAfterPopupRules };

// A null parent or grandparent means the row does not look at that name.
struct RowPattern {
  SubclassRow row;
  const char* windowClass;
  const char* parentClass;
  const char* grandparentClass;
  SubclassPhase phase;
};

inline constexpr SubclassPhase kBefore = SubclassPhase::kBeforePopupRules;
inline constexpr SubclassPhase kAfter = SubclassPhase::kAfterPopupRules;

inline constexpr RowPattern kRowPatterns[] = {
    {kRowBuddyList, "_Oscar_BuddyListWin", nullptr, nullptr, kBefore},
    {kRowChatWindow, "AIM_ChatWnd", nullptr, nullptr, kBefore},
    {kRowIMWindow, "AIM_IMessage", nullptr, nullptr, kBefore},
    {kRowIMTextControl, "Ate32Class", "WndAte32Class", "AIM_IMessage", kAfter},
    {kRowIMTextFrame, "WndAte32Class", "AIM_IMessage", nullptr, kAfter},
    {kRowButtonRowEdit, "Edit", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowBuddyListAte, "Ate32Class", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowAdPane, "WndAte32Class", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowTabGroup, "_Oscar_TabGroup", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowGeneralButton, "_Oscar_IconBtn", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowStatic, "_Oscar_Static", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowSeparator, "_Oscar_Separator", "_Oscar_BuddyListWin", nullptr, kAfter},
    {kRowBuddyTree, "_Oscar_Tree", "_Oscar_TabGroup", nullptr, kAfter},
    {kRowListButton, "_Oscar_IconBtn", "_Oscar_TabGroup", nullptr, kAfter},
};

// True when a table has one entry per row and entry i names row i.
template <class Entry, int kSize>
constexpr bool EntriesFollowRows(const Entry (&table)[kSize]) {
  if (kSize != kRowCount) return false;
  for (int i = 0; i < kSize; ++i) {
    if (table[i].row != i) return false;
  }
  return true;
}

static_assert(EntriesFollowRows(kRowPatterns), "kRowPatterns must list every row in row order");

// Exact, case-sensitive comparison of whole names.
bool PatternMatches(const RowPattern& row, const char* windowClass, const char* parentClass,
                    const char* grandparentClass);

// The pop-up rules.
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
