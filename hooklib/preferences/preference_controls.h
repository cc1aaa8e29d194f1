// The preferences dialog's controls: their typed names (the numbers are
// hooklib/resources/corvane_resource_ids.h's, which the dialog's template
// uses), a setting shown in its control and taken back from it as its row of
// the settings table says (setting_controls.cpp), and the two browse buttons:
// the shell's folder browser for the history folder and the open-file dialog
// for the host (path_browsers.cpp).
#pragma once

#include <windows.h>

#include "hooklib/core/setting_rows.h"
#include "hooklib/core/shared_settings.h"
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

// The lists and ranges the controls need before they can show a value.
void PrepareSettingControls(HWND dialog);

// Nothing for a setting shown nowhere.
void ShowSetting(HWND dialog, const SettingRow& row, const SharedSettings& settings);
void TakeSetting(HWND dialog, const SettingRow& row, SharedSettings& settings);

// The row shown in a control, or null.
const SettingRow* RowShownIn(int control);

// A chosen folder replaces the text of `edit`; a cancelled browser leaves it.
void BrowseForHistoryFolder(HWND dialog, int edit);
// Starts in the folder that `edit` names; a confirmed file replaces its text.
void BrowseForHostExecutable(HWND dialog, int edit);

}  // namespace corvane
