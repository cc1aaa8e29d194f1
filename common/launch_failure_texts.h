// What a failed start of a companion program tells the user.  The hook
// library shows both; the launcher shows the clone's when it cannot hand a
// cloned host over.
#pragma once

namespace corvane {

inline constexpr char kCloneLaunchError[] =
    "Error launching a clone of Corvane.\n\nPlease re-install Corvane.";
inline constexpr char kHistoryViewerLaunchError[] =
    "Error launching the Corvane History Viewer.\n\nPlease re-install Corvane.";

}  // namespace corvane
