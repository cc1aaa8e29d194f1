#include "viewer/history_tree/history_folder_browser.h"

#include <objbase.h>
#include <shlobj.h>

#include "common/capacities.h"

namespace corvane {

std::string BrowseForHistoryFolder(HWND owner) {
  // A thread already in another apartment keeps its COM as it was: only a
  // successful initialisation is undone.
  const HRESULT com = CoInitialize(nullptr);
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse = {};
  browse.hwndOwner = owner;
  browse.pidlRoot = nullptr;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = "Corvane History Folder";
  constexpr UINT kFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  static_assert(kFlags == 0x50);
  browse.ulFlags = kFlags;
  std::string folder;
  if (LPITEMIDLIST chosen = SHBrowseForFolderA(&browse)) {
    char path[kPathCapacity] = {};
    if (SHGetPathFromIDListA(chosen, path)) folder = path;
    CoTaskMemFree(chosen);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return folder;
}

}  // namespace corvane
