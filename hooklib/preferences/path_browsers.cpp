#include "hooklib/preferences/preference_controls.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/capacities.h"

namespace corvane {
namespace {

constexpr UINT kFolderBrowserFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;                  // 0x50
constexpr DWORD kHostFileFlags = OFN_READONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;  // 0x1801

static_assert(kFolderBrowserFlags == 0x50, "edit box and the newer dialog style");
static_assert(kHostFileFlags == 0x1801, "read-only box ticked, path and file must exist");

}  // namespace

void BrowseForHistoryFolder(HWND dialog, int edit) {
  const HRESULT com = CoInitialize(nullptr);
  BROWSEINFOA browse{};
  browse.hwndOwner = dialog;
  browse.pidlRoot = nullptr;
  browse.lpszTitle = "AIM History Folder";
  browse.ulFlags = kFolderBrowserFlags;
  if (LPITEMIDLIST item = SHBrowseForFolderA(&browse)) {
    char path[kPathCapacity] = "";
    if (SHGetPathFromIDListA(item, path)) SetDlgItemTextA(dialog, edit, path);
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

void BrowseForHostExecutable(HWND dialog, int edit) {
  char file[kPathCapacity] = "aim.exe";
  char folder[kPathCapacity] = "";
  GetDlgItemTextA(dialog, edit, folder, sizeof folder);
  OPENFILENAMEA open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = dialog;
  open.lpstrFilter = "AIM.EXE (aim.exe)\0aim.exe\0";
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.lpstrInitialDir = folder;
  open.lpstrTitle = "AIM Executable Location";
  open.lpstrDefExt = "exe";
  open.Flags = kHostFileFlags;
  if (GetOpenFileNameA(&open)) SetDlgItemTextA(dialog, edit, file);
}

}  // namespace corvane
