#include "viewer/export/export_menu.h"

namespace corvane {

void AddExportMenuItems(HWND window, UINT after, UINT exportCommand, UINT deleteCommand) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  int at = 0;
  while (at < count && GetMenuItemID(menu, at) != after && GetMenuItemID(menu, at) != SC_CLOSE)
    ++at;
  if (at < count && GetMenuItemID(menu, at) == after) ++at;
  InsertMenuA(menu, static_cast<UINT>(at), MF_BYPOSITION | MF_STRING, exportCommand,
              "&Export History...");
  InsertMenuA(menu, static_cast<UINT>(at + 1), MF_BYPOSITION | MF_STRING, deleteCommand,
              "&Delete Old Days...");
}

}  // namespace corvane
