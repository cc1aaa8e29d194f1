#include "viewer/export/export_menu.h"

namespace corvane {

void AddExportMenuItems(HWND window, UINT after, UINT export_command, UINT delete_command) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  int at = 0;
  while (at < count && GetMenuItemID(menu, at) != after && GetMenuItemID(menu, at) != SC_CLOSE)
    ++at;
  if (at < count && GetMenuItemID(menu, at) == after) ++at;
  InsertMenuA(menu, static_cast<UINT>(at), MF_BYPOSITION | MF_STRING, export_command,
              "&Export History...");
  InsertMenuA(menu, static_cast<UINT>(at + 1), MF_BYPOSITION | MF_STRING, delete_command,
              "&Delete Old Days...");
}

}  // namespace corvane
