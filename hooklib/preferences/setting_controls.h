// A setting shown in its preferences control and taken back from it, as its
// row of the settings table says.
#pragma once

#include <windows.h>

#include "hooklib/core/setting_rows.h"
#include "hooklib/core/shared_settings.h"

namespace corvane {

// The lists and ranges the controls need before they can show a value.
void PrepareSettingControls(HWND dialog);

// Nothing for a setting shown nowhere.
void ShowSetting(HWND dialog, const SettingRow& row, const SharedSettings& settings);
void TakeSetting(HWND dialog, const SettingRow& row, SharedSettings& settings);

// The row shown in a control, or null.
const SettingRow* RowShownIn(int control);

}  // namespace corvane
