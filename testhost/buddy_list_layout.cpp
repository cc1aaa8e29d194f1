#include "testhost/buddy_list_layout.h"

namespace testhost {
namespace {

void PlaceAll(HWND parent, const std::vector<ChildPlacement>& placements) {
  for (const ChildPlacement& p : placements)
    SetWindowPos(GetDlgItem(parent, p.id), nullptr, p.x, p.y, p.width, p.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceForClientSize(HWND parent, std::vector<ChildPlacement> (*placements)(int, int)) {
  RECT client;
  GetClientRect(parent, &client);
  PlaceAll(parent, placements(client.right, client.bottom));
}

}  // namespace

void LayOutBuddyList(HWND buddyList) { PlaceForClientSize(buddyList, BuddyListPlacements); }

void LayOutTabGroup(HWND tabGroup) { PlaceForClientSize(tabGroup, TabGroupPlacements); }

}  // namespace testhost
