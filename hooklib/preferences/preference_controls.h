// Typed names for the preferences dialog's controls; the numbers are
// hooklib/resources/corvane_resource_ids.h's, which the dialog's template uses.
#pragma once

#include "hooklib/resources/corvane_resource_ids.h"

namespace corvane {

inline constexpr int kPreferencesTemplate = IDD_PREFERENCES;

enum PreferenceControl : int {
  kCheckNow = IDC_PREF_CHECK_NOW,
  kShowGeneralButtons = IDC_PREF_SHOW_GENERAL_BUTTONS,
  kShowListButtons = IDC_PREF_SHOW_LIST_BUTTONS,
  kRemoveAds = IDC_PREF_REMOVE_ADS,
  kHistoryOn = IDC_PREF_HISTORY_ON,
  kHistoryFolder = IDC_PREF_HISTORY_FOLDER,
  kBrowseHistoryFolder = IDC_PREF_BROWSE_HISTORY_FOLDER,
  kHostPath = IDC_PREF_HOST_PATH,
  kBrowseHostPath = IDC_PREF_BROWSE_HOST_PATH,
  kConversationOpacity = IDC_PREF_CONVERSATION_OPACITY,
  kBuddyListOpacity = IDC_PREF_BUDDY_LIST_OPACITY,
  kTransparentWindows = IDC_PREF_TRANSPARENT_WINDOWS,
  kReleaseLabel = IDC_PREF_RELEASE_LABEL,
  kVersionLabel = IDC_PREF_VERSION_LABEL,
  kWebButton = IDC_PREF_WEB_BUTTON,
  kHelpButton = IDC_PREF_HELP_BUTTON,
  kSolidWhenActive = IDC_PREF_SOLID_WHEN_ACTIVE,
  kFadeDown = IDC_PREF_FADE_DOWN,
  kAllowStockTicker = IDC_PREF_ALLOW_STOCK_TICKER,
  kShowMenuBar = IDC_PREF_SHOW_MENU_BAR,
  kShowTabs = IDC_PREF_SHOW_TABS,
};

}  // namespace corvane
