#include "viewer/search/search_menu.h"

namespace corvane {

void AddSearchMenuItem(HWND window, UINT command) {
  HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  int close = 0;
  while (close < count && GetMenuItemID(menu, close) != SC_CLOSE) ++close;
  InsertMenuA(menu, static_cast<UINT>(close), MF_BYPOSITION | MF_STRING, command,
              "&Search History...\tCtrl+F");
}

}  // namespace corvane
