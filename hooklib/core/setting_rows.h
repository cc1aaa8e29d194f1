// Every stored setting, one row each: the registry value it is kept in, the
// record's field it fills, its value before anything is loaded, its default
// and the preferences control that shows it.  The record's initial values,
// the defaults, the registry's load and save and the preferences dialog's
// read and write all follow from this table; adding a setting is its field
// in SharedSettings, its row here and its control in the dialog's template.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>
#include <optional>
#include <type_traits>
#include <variant>

#include "common/capacities.h"
#include "common/registry_names.h"
#include "hooklib/core/reminder_policy.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/resources/corvane_resource_ids.h"

namespace corvane {

// The field a row fills; its type is the value's type in the registry, kept
// as users' registries have it: an int or a DWORD is a REG_DWORD, a BYTE a
// REG_BINARY of one byte, a text a REG_SZ.
using SettingField = std::variant<int SharedSettings::*, DWORD SharedSettings::*,
                                  BYTE SharedSettings::*, char (SharedSettings::*)[kPathCapacity]>;

// How the preferences dialog shows a setting, which says its field's type:
// a check box or the reminder list an int, a slider a BYTE, the hot key a
// DWORD, an edit box a text.
enum class ShownAs { kNowhere, kCheckBox, kReminderList, kOpacitySlider, kHotKey, kPathEdit };

// When a change made in the dialog takes effect: at OK, or at once in every
// host window, by a re-layout of the Buddy List or by applying the opacity
// again (and then Cancel puts the value back).
enum class Preview { kAtOk, kRelayout, kOpacity };

struct SettingControl {
  ShownAs shownAs = ShownAs::kNowhere;
  int id = 0;
  Preview preview = Preview::kAtOk;
};

constexpr SettingControl CheckBox(int id, Preview preview = Preview::kAtOk) {
  return {ShownAs::kCheckBox, id, preview};
}
constexpr SettingControl OpacitySlider(int id) {
  return {ShownAs::kOpacitySlider, id, Preview::kOpacity};
}
constexpr SettingControl ReminderList(int id) { return {ShownAs::kReminderList, id}; }
constexpr SettingControl HotKeyControl(int id) { return {ShownAs::kHotKey, id}; }
constexpr SettingControl PathEdit(int id) { return {ShownAs::kPathEdit, id}; }
inline constexpr SettingControl kShownNowhere{};

struct SettingRow {
  const char* name;
  SettingField field;
  // Of a number: its value before anything is loaded, and what a load gives
  // it when the registry has none (without one the load keeps the field).
  // A text starts empty; LoadSettingsFromReg works out the paths' defaults.
  int initial;
  std::optional<int> byDefault;
  SettingControl control;
};

inline constexpr std::nullopt_t kNoDefault = std::nullopt;

inline constexpr SettingRow kSettingRows[] = {
    // value name, field, initial value, default, control
    {kAlphaImValue, &SharedSettings::AlphaIM, 255, 200,
     OpacitySlider(IDC_PREF_CONVERSATION_OPACITY)},
    {kAlphaBlValue, &SharedSettings::AlphaBL, 255, 230, OpacitySlider(IDC_PREF_BUDDY_LIST_OPACITY)},
    {kAlphaOnValue, &SharedSettings::AlphaOn, 0, 0,
     CheckBox(IDC_PREF_TRANSPARENT_WINDOWS, Preview::kOpacity)},
    {kOpaqueOnTopValue, &SharedSettings::OpaqueOnTop, 0, 1,
     CheckBox(IDC_PREF_SOLID_WHEN_ACTIVE, Preview::kOpacity)},
    {kAlphaFadeDownValue, &SharedSettings::AlphaFadeDown, 0, 1,
     CheckBox(IDC_PREF_FADE_DOWN, Preview::kOpacity)},
    {kCheckVersionValue, &SharedSettings::CheckVersion, 0, kRemindEveryVersion,
     ReminderList(IDC_PREF_REMINDER_LIST)},
    {kStatisticsValue, &SharedSettings::Statistics, 0, 1, kShownNowhere},
    {kRemoveAdsValue, &SharedSettings::RemoveAds, 0, 1,
     CheckBox(IDC_PREF_REMOVE_ADS, Preview::kRelayout)},
    {kListButtonsValue, &SharedSettings::ListButtons, 0, 1,
     CheckBox(IDC_PREF_SHOW_LIST_BUTTONS, Preview::kRelayout)},
    {kGenButtonsValue, &SharedSettings::GenButtons, 0, 1,
     CheckBox(IDC_PREF_SHOW_GENERAL_BUTTONS, Preview::kRelayout)},
    {kLoggingValue, &SharedSettings::Logging, 0, 1, CheckBox(IDC_PREF_HISTORY_ON)},
    {kLogDirValue, &SharedSettings::LogDir, 0, kNoDefault, PathEdit(IDC_PREF_HISTORY_FOLDER)},
    {kAppPathValue, &SharedSettings::AppPath, 0, kNoDefault, PathEdit(IDC_PREF_HOST_PATH)},
    {kVersionValue, &SharedSettings::Version, 0, kNoDefault, kShownNowhere},
    {kCheckVersionLastValue, &SharedSettings::CheckVersionLast, 0, kNoDefault, kShownNowhere},
    {kHotKeyValue, &SharedSettings::HotKey, 0, 0x30041,  // Ctrl+Alt+A
     HotKeyControl(IDC_PREF_HOT_KEY)},
    {kProfileLinkValue, &SharedSettings::CorvaneProfileLink, 0, 0, CheckBox(IDC_PREF_PROFILE_LINK)},
    {kAllowStockTickerValue, &SharedSettings::AllowStockTicker, 1, 0,
     CheckBox(IDC_PREF_ALLOW_STOCK_TICKER, Preview::kRelayout)},
    {kAllowTodayPopupValue, &SharedSettings::AllowAIMTodayPopup, 0, 0,
     CheckBox(IDC_PREF_ALLOW_TODAY_POPUP)},
    {kAllowCloningValue, &SharedSettings::AllowCloning, 0, 1, CheckBox(IDC_PREF_ALLOW_CLONING)},
    {kShowInTaskbarValue, &SharedSettings::ShowBLinTaskbar, 0, 1, kShownNowhere},
    {kMenuValue, &SharedSettings::Menu, 0, 1, CheckBox(IDC_PREF_SHOW_MENU_BAR, Preview::kRelayout)},
    {kTabsValue, &SharedSettings::Tabs, 0, 1, CheckBox(IDC_PREF_SHOW_TABS, Preview::kRelayout)},
    {kCheckVersionLastDayValue, &SharedSettings::CheckVersionLastDay, 0, kNoDefault, kShownNowhere},
};

// Gives a number field `value` in its own type; a text field is left.
constexpr void SetNumber(const SettingRow& row, SharedSettings& record, int value) {
  std::visit(
      [&](auto member) {
        auto& field = record.*member;
        using Field = std::remove_reference_t<decltype(field)>;
        if constexpr (!std::is_array_v<Field>) field = static_cast<Field>(value);
      },
      row.field);
}

namespace setting_rows_detail {

template <typename Field>
constexpr bool Holds(const SettingRow& row) {
  return std::holds_alternative<Field SharedSettings::*>(row.field);
}

constexpr bool ShownAsItsType(const SettingRow& row) {
  switch (row.control.shownAs) {
    case ShownAs::kCheckBox:
    case ShownAs::kReminderList:
      return Holds<int>(row);
    case ShownAs::kOpacitySlider:
      return Holds<BYTE>(row);
    case ShownAs::kHotKey:
      return Holds<DWORD>(row);
    case ShownAs::kPathEdit:
      return Holds<char[kPathCapacity]>(row);
    case ShownAs::kNowhere:
      return row.control.id == 0 && row.control.preview == Preview::kAtOk;
  }
  return false;
}

constexpr bool SameText(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

// Each row shown as its field's type; no value name, field or control twice.
constexpr bool RowsAreSound() {
  const std::size_t count = std::size(kSettingRows);
  for (std::size_t i = 0; i < count; ++i) {
    const SettingRow& row = kSettingRows[i];
    if (!ShownAsItsType(row)) return false;
    for (std::size_t j = i + 1; j < count; ++j) {
      const SettingRow& other = kSettingRows[j];
      if (SameText(row.name, other.name) || row.field == other.field ||
          (row.control.id != 0 && row.control.id == other.control.id)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace setting_rows_detail

static_assert(setting_rows_detail::RowsAreSound(),
              "a row's control does not fit its field, or two rows share a name, field or control");

}  // namespace corvane
