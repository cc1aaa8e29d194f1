#include "testhost/thread_windows.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "testhost/report.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

constexpr const char* kHostTopLevelClasses[] = {"AIM_AimTodayWnd",     "_aim_MiniBrowserClass",
                                                "AIM_IMessage",        "AIM_ChatWnd",
                                                "_Oscar_BuddyListWin", "_Oscar_StatusNotify"};

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadTopLevelWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// A top-level window has no parent here, even when it has an owner.
HWND ParentOf(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
}

// "module.dll+0x1234" for an address inside a module, else the address.
std::string DescribeCode(const void* address) {
  HMODULE module = nullptr;
  char path[MAX_PATH] = "";
  if (!address ||
      !GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module) ||
      !GetModuleFileNameA(module, path, sizeof path)) {
    return HandleText(address);
  }
  const char* name = std::strrchr(path, '\\');
  char text[MAX_PATH + 32];
  std::snprintf(text, sizeof text, "%s+0x%lx", name ? name + 1 : path,
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(address) -
                                           reinterpret_cast<UINT_PTR>(module)));
  return text;
}

std::string RectText(HWND window, HWND parent) {
  RECT rect;
  GetWindowRect(window, &rect);
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  char text[64];
  std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
  return text;
}

std::string ClientSizeText(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return std::to_string(client.right) + "," + std::to_string(client.bottom);
}

// A child's control id; top-level windows have none.
std::string ControlIdText(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? std::to_string(GetDlgCtrlID(window))
                                                        : "-";
}

HMENU MenuBarOf(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(window);
}

std::string MenuText(HWND window) {
  HMENU menu = MenuBarOf(window);
  return menu ? std::to_string(GetMenuItemCount(menu)) : "-";
}

// The bar's labels by position, joined by '|'.  Menus belong to their
// process, so only the host itself can tell what another program added.
std::string MenuLabels(HWND window) {
  HMENU menu = MenuBarOf(window);
  std::string labels;
  for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
    char label[64] = "";
    GetMenuStringA(menu, i, label, sizeof label, MF_BYPOSITION);
    labels += (i > 0 ? "|" : "") + std::string(label);
  }
  return labels;
}

void ReportWindow(HWND window) {
  HWND parent = ParentOf(window);
  HWND grandparent = parent ? ParentOf(parent) : nullptr;
  const void* proc = reinterpret_cast<const void*>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  const void* classProc = reinterpret_cast<const void*>(GetClassLongPtrA(window, GCLP_WNDPROC));
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  Report("window hwnd=" + HandleText(window) + " class=" + Value(ClassNameOf(window)) +
         " parent=" + (parent ? Value(ClassNameOf(parent)) : "-") +
         " grandparent=" + (grandparent ? Value(ClassNameOf(grandparent)) : "-") +
         " parenthwnd=" + (parent ? HandleText(parent) : "-") + " proc=" + DescribeCode(proc) +
         " classproc=" + DescribeCode(classProc) +
         " subclassed=" + (proc != classProc ? "1" : "0") + " id=" + ControlIdText(window) +
         " rect=" + RectText(window, parent) + " client=" + ClientSizeText(window) +
         " visible=" + (IsWindowVisible(window) ? "1" : "0") + " menu=" + MenuText(window) +
         " menulabels=" + Quoted(MenuLabels(window)) + " title=" + Quoted(title));
}

}  // namespace

std::vector<HWND> HostTopLevelWindows(const char* className) {
  std::vector<HWND> matching;
  for (HWND window : ThreadTopLevelWindows())
    if (ClassNameOf(window) == className) matching.push_back(window);
  return matching;
}

void ReportThreadWindows() {
  for (HWND topLevel : ThreadTopLevelWindows()) {
    ReportWindow(topLevel);
    std::vector<HWND> children;
    EnumChildWindows(topLevel, CollectWindow, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) ReportWindow(child);
  }
}

void DestroyHostWindows() {
  for (const char* className : kHostTopLevelClasses)
    for (HWND window : HostTopLevelWindows(className))
      if (IsWindow(window)) DestroyWindow(window);
}

void QuitHost() {
  DestroyHostWindows();
  PostQuitMessage(0);
}

}  // namespace testhost
