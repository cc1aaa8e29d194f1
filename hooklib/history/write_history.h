// Writes one session block into today's day file of the history tree.
#pragma once

#include <string_view>

namespace corvane {

// Makes the user and buddy folders as needed (reusing existing folders whose
// names match but for case and spaces; both name buffers, of kNameCapacity
// characters, then take the folder's exact name) and puts the block of
// `sessionKey` into today's day file.  Every failure shows the write-failure
// message once and leaves what is on disk as it was.
void WriteHistory(const char* historyFolder, char* userName, char* buddyName,
                  const char* sessionKey, std::string_view text);

}  // namespace corvane
