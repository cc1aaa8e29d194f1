// Deleting histories: the questions the viewer asks first and the deletion
// through the shell, which sends the items to the recycle bin.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// The confirmation texts, each formatted into a 1024-character buffer (so
// at most 1023 characters).  `path` is what the deletion will be given.
std::string ClearAllQuestion(const char* path);
std::string DeleteUserQuestion(const char* user, const char* path);
std::string DeleteBuddyQuestion(const char* user, const char* buddy, const char* path);
std::string DeleteDateQuestion(const char* user, const char* buddy, const char* date,
                               const char* path);

// One shell delete of every item of the list (wildcards allowed) to the
// recycle bin, without asking again.  The shell shows its own progress and
// errors; the result is not needed, as the viewer re-reads the disk
// afterwards anyway.
void DeleteToRecycleBin(const std::vector<std::string>& paths);

}  // namespace corvane
