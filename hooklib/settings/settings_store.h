// The settings record in the registry: each row of the settings table
// (hooklib/core/setting_rows.h) loaded from and saved to its value under
// kSettingsKey, in the type and width its field decides (reg_settings.cpp);
// and the shared record loaded with its defaults and computed paths, and
// saved (settings_store.cpp).
#pragma once

#include <windows.h>

#include "hooklib/core/shared_settings.h"

namespace corvane {

// False when the key cannot be opened.  A missing value, or one that does
// not fit its field, leaves the field as it was; a value of another type
// lands as raw bytes (a REG_SZ "1" over the first bytes of a number).
bool LoadStoredSettings(SharedSettings& record);
// False when the key cannot be created or opened.
bool SaveStoredSettings(const SharedSettings& record);

// Reads a registry value into a text field of `capacity` bytes.  A value
// that does not fit leaves the field unchanged; the field always stays
// NUL-terminated.  A value of another type lands as raw bytes.
void ReadTextValue(HKEY key, const char* name, char* field, DWORD capacity);

// Writes every stored setting as the record holds it now; false when the
// key cannot be created.
bool SaveSettings();

}  // namespace corvane

// Export: defaults, computed paths, stored values, then the running version,
// published into the record in one step.
// Returns 1 when the stored Version equals the running version text.
extern "C" int __cdecl LoadSettingsFromReg();
