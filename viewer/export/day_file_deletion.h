// The one way the viewer deletes history: the main dialog's "Clear All"
// and "Del" buttons, Delete Old Days and /delete-before all come here.
#pragma once

#include <string>
#include <vector>

#include "viewer/days/day_scope.h"

namespace corvane {

// Sends the days' files to the recycle bin in one shell operation (which
// shows its own progress and errors), then removes each of `folders`, in
// their order, that is now empty; the system removes no folder that holds
// anything, so nothing but day files ever goes.  Returns the paths of the
// day files that are gone.
std::vector<std::string> DeleteDayFiles(const std::vector<std::string>& dayFiles,
                                        const std::vector<std::string>& folders);

// The paths of the days' files a delete may take: unlike DayFilePaths,
// none of a day reached through a link or junction, whose file lives
// outside the history folder or is listed there already by its own path,
// and none where the path would not fit.
std::vector<std::string> DeletableDayFilePaths(const std::string& historyFolder,
                                               const std::vector<ListedDay>& days);

// The buddy folders that hold one of the days (not through a link), then
// their user folders.
std::vector<std::string> FoldersOfDays(const std::string& historyFolder,
                                       const std::vector<ListedDay>& days);

// Every buddy folder of the scope not reached through a link, then their
// user folders: the history folders a user asked to empty (a day's scope
// has none).
std::vector<std::string> FoldersInScope(const std::string& historyFolder,
                                        const HistoryScope& scope);

// Whether the buddy folder `user`\`buddy` is reached through a link (or is
// not there to tell): a day of it is never deleted.
bool BuddyFolderIsLinked(const std::string& historyFolder, const std::string& user,
                         const std::string& buddy);

}  // namespace corvane
