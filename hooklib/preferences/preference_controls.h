// Control ids of the preferences dialog (template 101 in
// resources/preferences_dialog.rc, which spells the same numbers).
#pragma once

namespace corvane {

inline constexpr int kPreferencesTemplate = 101;

enum PreferenceControl : int {
  kCheckNow = 4,
  kShowGeneralButtons = 1000,
  kShowListButtons = 1001,
  kRemoveAds = 1002,
  kHistoryOn = 1003,
  kHistoryFolder = 1004,
  kBrowseHistoryFolder = 1005,
  kHostPath = 1006,
  kBrowseHostPath = 1007,
  kConversationOpacity = 1008,
  kBuddyListOpacity = 1009,
  kHotKey = 1010,
  kTransparentWindows = 1011,
  kReleaseLabel = 1012,
  kVersionLabel = 1013,
  kWebButton = 1014,
  kHelpButton = 1015,
  kSolidWhenActive = 1016,
  kFadeDown = 1017,
  kAllowStockTicker = 1018,
  kAllowTodayPopup = 1019,
  kProfileLink = 1020,
  kReminderList = 1021,
  kAllowCloning = 1022,
  kShowMenuBar = 1023,
  kShowTabs = 1028,
};

}  // namespace corvane
