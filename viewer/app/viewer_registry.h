// What the viewer reads from the add-on's registry key.  It never writes there.
#pragma once

#include <string>

namespace corvane {

// The LogDir setting, whatever its registry type; "" when the key cannot be
// opened (for all access), the value is missing or it is no full path.
std::string ReadLogDirSetting();

// True when the add-on's key is there, judged by reading its default value.
// Only then does the viewer keep its own profile in the registry.
bool ProductKeyExists();

}  // namespace corvane
