// --register: names this executable as the host's in the registry, where
// the launcher looks for the host.
#pragma once

#include <string>

namespace testhost {

// Writes the full path of this executable as the default value of the
// host's AppPath key under HKEY_CURRENT_USER (creating the key).
bool RegisterAppPath(std::string* path, std::string* error);

}  // namespace testhost
