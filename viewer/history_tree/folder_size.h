// The size total of the history tree, added up on a thread of its own that
// never touches a control: it posts to the dialog window, so the total is
// shown on the UI thread in message order.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "common/joined_thread.h"

namespace corvane {

// Every file below `folder`, at any depth and of any name, each counted
// once; folders reached through a link or junction are not entered.  Once
// `cancelled`, what was counted so far.
std::uint64_t FolderSizeBytes(const std::string& folder, const std::atomic<bool>& cancelled);

// Posts `message` (the viewer's WM_HV_SIZE_TOTAL) to `dialog` once, the
// total's low 32 bits in wParam and its high 32 bits in lParam; stopped
// before it has the total, it posts nothing.
JoinedThread StartSizeTotal(HWND dialog, UINT message, std::string historyFolder);

}  // namespace corvane
