// Which new windows get which subclass: patterns of (class, parent class,
// grandparent class), tried in row order.  Platform-free.
#pragma once

namespace corvane {

enum SubclassRow {
  kRowBuddyList,        // _Oscar_BuddyListWin
  kRowChatWindow,       // AIM_ChatWnd
  kRowIMWindow,         // AIM_IMessage
  kRowIMTextControl,    // Ate32Class in WndAte32Class in AIM_IMessage
  kRowIMTextFrame,      // WndAte32Class in AIM_IMessage
  kRowButtonRowEdit,    // Edit in the Buddy List
  kRowBuddyListAte,     // Ate32Class in the Buddy List
  kRowAdPane,           // WndAte32Class in the Buddy List
  kRowTabGroup,         // _Oscar_TabGroup in the Buddy List
  kRowGeneralButton,    // _Oscar_IconBtn in the Buddy List
  kRowStatic,           // _Oscar_Static in the Buddy List
  kRowSeparator,        // _Oscar_Separator in the Buddy List
  kRowBuddyTree,        // _Oscar_Tree in the tab group
  kRowListButton,       // _Oscar_IconBtn in the tab group
  kRowCount
};

// The host's pop-ups that the hook may refuse.
inline constexpr const char kTodayClass[] = "AIM_AimTodayWnd";
inline constexpr const char kMiniBrowserClass[] = "_aim_MiniBrowserClass";

// A null parent or grandparent means the row does not look at that name.
struct RowPattern {
  const char* windowClass;
  const char* parentClass;
  const char* grandparentClass;
};

extern const RowPattern kRowPatterns[kRowCount];

// Exact, case-sensitive comparison of whole names.
bool PatternMatches(const RowPattern& row, const char* windowClass, const char* parentClass,
                    const char* grandparentClass);

}  // namespace corvane
