// Loading the shared record with its defaults and computed paths, and
// saving it.
#pragma once

#include "hooklib/settings/reg_settings.h"

namespace corvane {

// Writes every stored setting as the record holds it now; false when the
// key cannot be created.
bool SaveSettings();

}  // namespace corvane

// Export: defaults, computed paths, stored values, then the running version,
// published into the record in one step.
// Returns 1 when the stored Version equals the running version text.
extern "C" int __cdecl LoadSettingsFromReg();
