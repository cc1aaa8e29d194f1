// The viewer's two workers: one adds up the size of the history tree once,
// the other follows changes below the history folder.  They never touch a
// control; they post to the dialog window, so every reaction runs on the UI
// thread in message order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace corvane {

// What a worker needs from the dialog: where to post, what, and which
// folder.  Each worker owns its own copy, so it never reads the dialog
// object, which may be gone before the process is.
struct FolderThreadTarget {
  HWND dialog;
  UINT message;
  std::string historyFolder;
};

// Every file below `folder`, at any depth and of any name, each counted
// once; folders reached through a link or junction are not entered.
std::uint64_t FolderSizeBytes(const std::string& folder);

// Thread procedures; each takes a FolderThreadTarget made with new and
// deletes it.  SizeTotalThread posts its message (the viewer's
// WM_HV_SIZE_TOTAL) once, the total's low 32 bits in wParam and its
// high 32 bits in lParam, and ends.  FolderWatchThread
// posts its message (WM_HV_FOLDER_CHANGED) after every change until the
// notification can no longer be re-armed; it ends at once when the folder
// cannot be watched.
DWORD WINAPI SizeTotalThread(LPVOID target);
DWORD WINAPI FolderWatchThread(LPVOID target);

// The dialog's messages for the two workers' news.
struct FolderThreadMessages {
  UINT sizeTotal;
  UINT folderChanged;
};

// Starts SizeTotalThread, then FolderWatchThread, for the dialog window.
// Their handles are not kept: they end with their work or the process.
void StartFolderThreads(HWND dialog, const FolderThreadMessages& messages,
                        const std::string& historyFolder);

}  // namespace corvane
