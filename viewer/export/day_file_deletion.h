// The one way the viewer deletes history: the main dialog's "Clear All"
// and "Del" buttons, Delete Old Days and /delete-before all come here.
#pragma once

#include <string>
#include <vector>

#include "viewer/export/history_days.h"

namespace corvane {

// Sends the days' files to the recycle bin in one shell operation (which
// shows its own progress and errors), then, when asked, removes the buddy
// folders and after them the user folders that held one of them and are
// now empty; the system removes no folder that holds anything, so nothing
// but day files ever goes.  Returns the paths of the day files that are
// gone.
std::vector<std::string> DeleteDayFiles(const std::string& history_folder,
                                        const std::vector<HistoryDay>& days,
                                        bool remove_emptied_folders);

}  // namespace corvane
