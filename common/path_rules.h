// Rules for the paths that the settings hold: where history is written
// from and where programs are started from.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// True for a fully qualified Windows path: a drive with its root ("C:\x",
// "C:/x") or a network share ("\\server\share").  Never a path that Windows
// resolves against a current folder: "x", "C:x", "\x".
bool IsFullyQualifiedPath(std::string_view path);

// The name of the history folder that the launcher proposes.
inline constexpr char kHistoryFolderName[] = "Corvane History";

// The default history folder: beside the launcher for a copy run from a
// folder of its own, in the user's documents for an installed copy (one in
// the Program Files folders, or where the user cannot write), which Windows
// would otherwise redirect out of sight.  Without a documents folder the
// launcher's folder serves.
std::string DefaultHistoryFolder(std::string_view launcherFolder, bool installedCopy,
                                 std::string_view documentsFolder);

}  // namespace corvane
