// Registry locations and value names shared by the hook library, the
// launcher and the History Viewer.
#pragma once

namespace corvane {

// Under HKEY_CURRENT_USER.
inline constexpr const char kSettingsKey[] = "Software\\Halvard\\Corvane";
// Under HKEY_CURRENT_USER; its default value names the host's executable.
inline constexpr const char kHostAppPathKey[] =
    "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion\\AppPath";

// The values of kSettingsKey, one per setting (hooklib/core/setting_rows.h
// says each one's type).
inline constexpr char kAlphaImValue[] = "AlphaIM";
inline constexpr char kAlphaBlValue[] = "AlphaBL";
inline constexpr char kAlphaOnValue[] = "AlphaOn";
inline constexpr char kOpaqueOnTopValue[] = "OpaqueOnTop";
inline constexpr char kAlphaFadeDownValue[] = "AlphaFadeDown";
inline constexpr char kCheckVersionValue[] = "CheckVersion";
inline constexpr char kStatisticsValue[] = "Statistics";
inline constexpr char kRemoveAdsValue[] = "RemoveAds";
inline constexpr char kListButtonsValue[] = "ListButtons";
inline constexpr char kGenButtonsValue[] = "GenButtons";
inline constexpr char kLoggingValue[] = "Logging";
inline constexpr char kLogDirValue[] = "LogDir";
inline constexpr char kAppPathValue[] = "AppPath";
inline constexpr char kVersionValue[] = "Version";
inline constexpr char kCheckVersionLastValue[] = "CheckVersionLast";
inline constexpr char kHotKeyValue[] = "HotKey";
inline constexpr char kProfileLinkValue[] = "CorvaneProfileLink";
inline constexpr char kAllowStockTickerValue[] = "AllowStockTicker";
inline constexpr char kAllowTodayPopupValue[] = "AllowAIMTodayPopup";
inline constexpr char kAllowCloningValue[] = "AllowCloning";
inline constexpr char kShowInTaskbarValue[] = "ShowBLinTaskbar";
inline constexpr char kMenuValue[] = "Menu";
inline constexpr char kTabsValue[] = "Tabs";
inline constexpr char kCheckVersionLastDayValue[] = "CheckVersionLastDay";

}  // namespace corvane
