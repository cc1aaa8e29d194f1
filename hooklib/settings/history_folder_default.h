// The history folder the launcher proposes when none is stored.
#pragma once

#include <string>

namespace corvane {

// "Corvane History" beside the launcher in `launcherFolder`, or in the
// user's documents when the launcher is an installed copy: one inside the
// Program Files folders, or in a folder the user cannot write.
std::string DefaultLogDir(const char* launcherFolder);

}  // namespace corvane
