#include "testhost/buddy_list.h"

#include "common/unique_handle.h"
#include "testhost/conversation_windows.h"
#include "testhost/host_texts.h"
#include "testhost/popups.h"
#include "testhost/text_controls.h"
#include "testhost/thread_windows.h"
#include "testhost/window_factory.h"

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

enum MenuCommand : WORD {
  kCmdSignOff = 30001,
  kCmdExit,
  kCmdImBob,
  kCmdChatLounge,
  kCmdReceiveCarol
};

constexpr const char* kGeneralButtonCaptions[kGeneralButtonCount] = {"IM", "Chat", "Mail", "Info"};
constexpr const char* kListButtonCaptions[kListButtonCount] = {"Setup", "Add", "Away"};
constexpr char kBuddyTree[] =
    "Buddies (3/4)\n   bob\n   carol\n   dave\nFamily (1/1)\n   mom\nCo-Workers (0/2)\nOffline (3)";
constexpr char kAdPaneText[] =
    "<HTML><BODY BGCOLOR=\"#ffffcc\"><FONT SIZE=2><B>Mail for life!</B><BR>Get a free address "
    "today.</FONT></BODY></HTML>";
constexpr char kAdLineText[] = "<HTML><BODY><FONT SIZE=1>Sponsored links</FONT></BODY></HTML>";
constexpr char kTickerText[] =
    "<HTML><BODY BGCOLOR=\"#e0dfe3\"><FONT SIZE=1>DJIA 10,452.74 +32.10  NASDAQ 1,987.26 "
    "-4.30</FONT></BODY></HTML>";

HWND g_buddyList = nullptr;
std::string g_screenName;
bool g_quitOnClose = false;

HMENU AddPopup(HMENU bar, const char* title) {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title);
  return popup;
}

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  HMENU myAim = AddPopup(bar, "&My AIM");
  AppendMenuA(myAim, MF_STRING, kCmdSignOff, "Sign &Off");
  AppendMenuA(myAim, MF_STRING, kCmdExit, "E&xit");
  HMENU people = AddPopup(bar, "&People");
  AppendMenuA(people, MF_STRING, kCmdImBob, "Send &Instant Message to bob");
  AppendMenuA(people, MF_STRING, kCmdChatLounge, "Join &Chat Room Lounge");
  AppendMenuA(people, MF_STRING, kCmdReceiveCarol, "&Receive a Message from carol");
  HMENU help = AddPopup(bar, "&Help");
  AppendMenuA(help, MF_STRING, kHostTodayCommand, "AIM &Today");
  return bar;
}

HWND CreateChild(HWND parent, const char* className, const char* text, int id, DWORD exStyle = 0) {
  return CreateReported(className, text, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, id, exStyle);
}

void CreateChildren(HWND buddyList) {
  CreateChild(buddyList, "_Oscar_Static", ScreenName().c_str(), kIdStatic);
  HWND adPane = CreateChild(buddyList, "WndAte32Class", "", kIdAdPane);
  if (adPane) SetWindowTextA(adPane, kAdPaneText);
  CreateChild(buddyList, "Ate32Class", kAdLineText, kIdAdText);
  CreateChild(buddyList, "_Oscar_Separator", "", kIdSeparator);
  if (HWND tabGroup = CreateChild(buddyList, "_Oscar_TabGroup", "", kIdTabGroup)) {
    CreateChild(tabGroup, "_Oscar_Tree", kBuddyTree, kIdTree);
    for (int i = 0; i < kListButtonCount; ++i)
      CreateChild(tabGroup, "_Oscar_IconBtn", kListButtonCaptions[i], kIdListButton + i);
  }
  for (int i = 0; i < kGeneralButtonCount; ++i)
    CreateChild(buddyList, "_Oscar_IconBtn", kGeneralButtonCaptions[i], kIdGeneralButton + i);
  CreateChild(buddyList, "Edit", "", kIdSearchEdit, WS_EX_CLIENTEDGE);
  CreateChild(buddyList, "_Oscar_IconBtn", "More", kIdMoreButton);
  CreateChild(buddyList, "_Oscar_IconBtn", "<", kIdTickerLeft);
  HWND ticker = CreateChild(buddyList, "WndAte32Class", "", kIdTickerPane);
  if (ticker) SetWindowTextA(ticker, kTickerText);
  CreateChild(buddyList, "_Oscar_IconBtn", ">", kIdTickerRight);
}

void OnCommand(HWND buddyList, WORD id) {
  switch (id) {
    case kCmdSignOff:
      DestroyWindow(buddyList);
      break;
    case kCmdExit:
      QuitHost();
      break;
    case kCmdImBob:
    case kIdGeneralButton:
      OpenImWindow("bob");
      break;
    case kCmdChatLounge:
    case kIdGeneralButton + 1:
      OpenChatWindow("Lounge");
      break;
    case kCmdReceiveCarol:
      if (HWND window = OpenImWindow("carol"))
        DeliverMessage(window, "carol", "Are you coming to lunch?", false);
      break;
  }
}

LRESULT BuddyListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) LayOutBuddyList(window);
      return 0;
    case WM_COMMAND:
      // The host's Today command comes from its menu: notification code 0.
      if (wParam == kHostTodayCommand)
        OpenPopup(PopupKind::kToday);
      else
        OnCommand(window, LOWORD(wParam));
      return 0;
    case WM_SYSCOMMAND:
      ReportPrivateSysCommand(window, wParam);
      break;
    case WM_DESTROY:
      ReportDestroyed(window);
      if (window == g_buddyList) g_buddyList = nullptr;
      if (g_quitOnClose) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void PaintTabs(HWND tabGroup) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(tabGroup, &paint);
  HGDIOBJ oldFont = SelectObject(dc, GuiFont());
  SetBkMode(dc, TRANSPARENT);
  RECT tabs[] = {{2, 2, 62, 22}, {62, 4, 132, 22}};
  const char* titles[] = {"Online", "List Setup"};
  for (int i = 0; i < 2; ++i) {
    DrawEdge(dc, &tabs[i], EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    DrawTextA(dc, titles[i], -1, &tabs[i], DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, oldFont);
  EndPaint(tabGroup, &paint);
}

LRESULT TabGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      LayOutTabGroup(window);
      return 0;
    case WM_PAINT:
      PaintTabs(window);
      return 0;
    case WM_COMMAND:
      return SendMessageA(GetParent(window), message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterBuddyListClasses() {
  RegisterWindowClass("_Oscar_BuddyListWin", Guarded<BuddyListProc>, COLOR_BTNFACE);
  RegisterWindowClass("_Oscar_TabGroup", Guarded<TabGroupProc>, COLOR_BTNFACE);
}

HWND SignOn(const std::string& title) {
  corvane::OwnedMenu menuBar(BuildMenuBar());
  // Wide enough for the search box beside the general buttons, as the
  // host's own first layout is.
  HWND window =
      CreateReported("_Oscar_BuddyListWin", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40,
                     250, 450, nullptr, reinterpret_cast<UINT_PTR>(menuBar.Get()));
  if (!window) return nullptr;
  menuBar.Release();  // the window's now
  g_buddyList = window;
  g_screenName = ScreenNameFromTitle(title);
  CreateChildren(window);
  LayOutBuddyList(window);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

HWND BuddyListWindow() { return g_buddyList; }
std::string ScreenName() { return g_screenName; }
void SetQuitOnBuddyListClose(bool quit) { g_quitOnClose = quit; }

void LayOutBuddyList(HWND buddyList) { PlaceForClientSize(buddyList, BuddyListPlacements); }

void LayOutTabGroup(HWND tabGroup) { PlaceForClientSize(tabGroup, TabGroupPlacements); }

}  // namespace testhost
