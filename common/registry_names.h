// Registry locations shared by the hook library and the History Viewer.
#pragma once

namespace corvane {

// Under HKEY_CURRENT_USER.
inline constexpr const char kSettingsKey[] = "Software\\Halvard\\Corvane";
// Under HKEY_CURRENT_USER; its default value names the host's executable.
inline constexpr const char kHostAppPathKey[] =
    "Software\\America Online\\AOL Instant Messenger (TM)\\CurrentVersion\\AppPath";

}  // namespace corvane
