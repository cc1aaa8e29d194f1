// What the launcher tells the user.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

inline constexpr char kErrorCaption[] = "Corvane Error";
inline constexpr char kNotificationCaption[] = "Corvane Notification";

inline constexpr char kAlreadyRunningText[] =
    "Corvane is already running.\n\n"
    "Use its icon in the notification area to open the preferences "
    "or to start another messenger.";

inline constexpr char kCloningSwitchedOffText[] =
    "Starting another messenger is switched off.\n\n"
    "You can allow it in the Corvane preferences.";

inline constexpr char kTooManyHostsText[] =
    "Corvane cannot look after any more messengers at once.";

// The system's error texts end in a line break; a message box needs none.
std::string WithoutTrailingBlanks(std::string_view text);

std::string LibraryLoadFailedText(std::string_view libraryPath, std::string_view systemText);
std::string ExportMissingText(std::string_view libraryPath, std::string_view exportName);
// A library of another release, or one without a version (libraryVersion
// empty).
std::string LibraryVersionDiffersText(std::string_view libraryPath, std::string_view libraryVersion,
                                      std::string_view ownVersion);
std::string HookInstallFailedText(std::string_view systemText);
std::string HostStartFailedText(std::string_view hostPath, std::string_view systemText);
// The host's path is not the full path of an existing program.
std::string HostPathUnusableText(std::string_view hostPath);

}  // namespace corvane
