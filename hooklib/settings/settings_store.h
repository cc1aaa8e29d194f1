// Loading and saving the shared record through this process's RegSettings.
#pragma once

#include "hooklib/settings/reg_settings.h"

namespace corvane {

// This process's bindings; filled by RegisterSettings.
RegSettings& ProcessRegSettings();

// Binds all 24 stored settings; loads nothing.
void RegisterSettings();
// Writes every bound setting; false when the key cannot be created.
bool SaveSettings();

}  // namespace corvane

// Export: defaults, computed paths, stored values, then the running version.
// Returns 1 when the stored Version equals the running version text.
extern "C" int __cdecl LoadSettingsFromReg();
