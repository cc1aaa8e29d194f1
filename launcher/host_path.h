// Where the launcher starts the host from, read by the launcher itself.
#pragma once

#include <string>

namespace corvane {

// The stored AppPath setting, else the path the host registered for itself,
// else "aim.exe": what the settings record is loaded with, read from the
// registry rather than from a record that other programs of the user can
// write.
std::string ReadHostPathSetting();

// True when `appPath` (quoted or not) is the full path of an existing file.
bool CanStartHostFrom(const std::string& appPath);

}  // namespace corvane
