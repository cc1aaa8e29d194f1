#include "hooklib/preferences/preference_controls.h"

#include <commctrl.h>

#include <cstdint>

#include "hooklib/core/reminder_policy.h"
#include "hooklib/settings/preference_rules.h"

namespace corvane {
namespace {

constexpr char kReminderItems[][16] = {"all versions.", "next version.", "never."};

// The hot-key control refuses a key alone, with Shift alone or with Alt
// alone, and turns it into Ctrl+Alt.
constexpr WPARAM kInvalidHotKeyCombinations = HKCOMB_NONE | HKCOMB_S | HKCOMB_A;  // 11
constexpr WORD kHotKeyReplacementModifiers = HOTKEYF_CONTROL | HOTKEYF_ALT;       // 6

LRESULT SendItem(HWND dialog, int control, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(dialog, control, message, wParam, lParam);
}

template <typename Field>
Field& FieldOf(const SettingRow& row, SharedSettings& settings) {
  return settings.*std::get<Field SharedSettings::*>(row.field);
}

template <typename Field>
const Field& FieldOf(const SettingRow& row, const SharedSettings& settings) {
  return settings.*std::get<Field SharedSettings::*>(row.field);
}

}  // namespace

void PrepareSettingControls(HWND dialog) {
  for (const SettingRow& row : kSettingRows) {
    const int id = row.control.id;
    switch (row.control.shownAs) {
      case ShownAs::kOpacitySlider:
        SendItem(dialog, id, TBM_SETRANGE, FALSE, MAKELPARAM(0, kOpacitySliderMax));
        break;
      case ShownAs::kHotKey:
        SendItem(dialog, id, HKM_SETRULES, kInvalidHotKeyCombinations,
                 MAKELPARAM(kHotKeyReplacementModifiers, 0));
        break;
      case ShownAs::kReminderList:
        for (const char* item : kReminderItems) {
          SendItem(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        break;
      default:
        break;
    }
  }
}

void ShowSetting(HWND dialog, const SettingRow& row, const SharedSettings& settings) {
  const int id = row.control.id;
  switch (row.control.shownAs) {
    case ShownAs::kNowhere:
      break;
    case ShownAs::kCheckBox:
      CheckDlgButton(dialog, id, FieldOf<int>(row, settings) != 0 ? BST_CHECKED : BST_UNCHECKED);
      break;
    case ShownAs::kReminderList:
      SendItem(dialog, id, CB_SETCURSEL, ReminderIndexFromCheckVersion(FieldOf<int>(row, settings)),
               0);
      break;
    case ShownAs::kOpacitySlider:
      SendItem(dialog, id, TBM_SETPOS, TRUE,
               SliderPositionFromOpacity(FieldOf<BYTE>(row, settings)));
      break;
    case ShownAs::kHotKey:
      SendItem(dialog, id, HKM_SETHOTKEY, HotKeyControlValue(FieldOf<DWORD>(row, settings)), 0);
      break;
    case ShownAs::kPathEdit:
      SetDlgItemTextA(dialog, id, FieldOf<char[kPathCapacity]>(row, settings));
      break;
  }
}

void TakeSetting(HWND dialog, const SettingRow& row, SharedSettings& settings) {
  const int id = row.control.id;
  switch (row.control.shownAs) {
    case ShownAs::kNowhere:
      break;
    case ShownAs::kCheckBox:
      FieldOf<int>(row, settings) = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
      break;
    case ShownAs::kReminderList:
      FieldOf<int>(row, settings) =
          CheckVersionFromReminderIndex(static_cast<int>(SendItem(dialog, id, CB_GETCURSEL, 0, 0)));
      break;
    case ShownAs::kOpacitySlider:
      FieldOf<BYTE>(row, settings) =
          OpacityFromSliderPosition(static_cast<int>(SendItem(dialog, id, TBM_GETPOS, 0, 0)));
      break;
    case ShownAs::kHotKey:
      FieldOf<DWORD>(row, settings) =
          HotKeyFromControlValue(static_cast<uint16_t>(SendItem(dialog, id, HKM_GETHOTKEY, 0, 0)));
      break;
    case ShownAs::kPathEdit:
      GetDlgItemTextA(dialog, id, FieldOf<char[kPathCapacity]>(row, settings), kPathCapacity);
      break;
  }
}

const SettingRow* RowShownIn(int control) {
  for (const SettingRow& row : kSettingRows) {
    if (row.control.id == control) return &row;
  }
  return nullptr;
}

}  // namespace corvane
