// Loading and saving the shared record through RegSettings.
#pragma once

#include "hooklib/core/shared_settings.h"
#include "hooklib/settings/reg_settings.h"

namespace corvane {

// All 24 stored settings bound to the fields of `record`; loads nothing.
RegSettings BindSettings(SharedSettings& record);
// Writes every stored setting as the record holds it now; false when the
// key cannot be created.
bool SaveSettings();

}  // namespace corvane

// Export: defaults, computed paths, stored values, then the running version,
// published into the record in one step.
// Returns 1 when the stored Version equals the running version text.
extern "C" int __cdecl LoadSettingsFromReg();
