#include "tests/support/host_window_fixture.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/capacities.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/hook/exports.h"
#include "tests/support/host_class_for_tests.h"

namespace corvane {
namespace {

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(w, m, wParam, lParam);
}

// The host's text control; counts the clear commands that reach it.
LRESULT CALLBACK HostTextControlProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == WM_COMMAND && LOWORD(wParam) == 20731) ++HostWindowTest::g_hostClearCommands;
  return DefWindowProcA(w, m, wParam, lParam);
}

// The host's frame shows its text control's text.
LRESULT CALLBACK HostFrameProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == WM_GETTEXT || m == WM_GETTEXTLENGTH || m == WM_SETTEXT) {
    if (HWND child = GetWindow(w, GW_CHILD)) return SendMessageA(child, m, wParam, lParam);
  }
  return DefWindowProcA(w, m, wParam, lParam);
}

HMENU MenuBar(int items) {
  HMENU bar = CreateMenu();
  for (int i = 0; i < items; ++i) {
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "Item");
  }
  return bar;
}

HWND CreateChild(const char* cls, HWND parent) {
  return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

LocalClockTime FixedNow() { return TestClock(); }

}  // namespace

int HostWindowTest::g_hostClearCommands = 0;

LocalClockTime& TestClock() {
  static LocalClockTime now;
  return now;
}

void HostWindowTest::SetUpTestSuite() {
  const struct {
    const char* name;
    WNDPROC proc;
  } classes[] = {{"AIM_IMessage", HostProc},
                 {"AIM_ChatWnd", HostProc},
                 {"WndAte32Class", HostFrameProc},
                 {"Ate32Class", HostTextControlProc}};
  for (const auto& c : classes) RegisterHostClass(c.name, c.proc);
}

void HostWindowTest::SetUp() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  char dir[MAX_PATH];
  std::snprintf(dir, sizeof dir, "%scorvane-conv-%lu-%lu", temp, GetCurrentProcessId(),
                static_cast<unsigned long>(GetTickCount()));
  logDir_ = std::string(dir) + "\\History";
  CreateDirectoryA(dir, nullptr);
  CopyBounded(Shared().LogDir, kPathCapacity, logDir_.c_str());
  Shared().Logging = 1;
  Shared().AlphaOn = 0;
  CopyBounded(ScreenName(), kNameCapacity, "alice");
  TestClock() = {2002, 6, 14, 5, 9, 5, 7};
  SetLocalTimeSource(FixedNow);
  hook_ = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook_, nullptr);
}

void HostWindowTest::TearDown() {
  UnhookWindowsHookEx(hook_);
  SetLocalTimeSource(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(logDir_.substr(0, logDir_.rfind('\\')), ignored);
}

namespace {

HWND OpenConversation(const char* cls, const std::string& title, int menuItems) {
  HWND w = CreateWindowExA(0, cls, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                           MenuBar(menuItems), GetModuleHandleA(nullptr), nullptr);
  HWND frame = CreateChild("WndAte32Class", w);
  CreateChild("Ate32Class", frame);
  HWND input = CreateChild("WndAte32Class", w);
  CreateChild("Ate32Class", input);
  return w;
}

}  // namespace

HWND HostWindowTest::OpenIM(const std::string& buddy) {
  return OpenConversation("AIM_IMessage", buddy + " - Instant Message", 4);
}

HWND HostWindowTest::OpenChat(const std::string& room) {
  return OpenConversation("AIM_ChatWnd", room + " - Chat", 5);
}

HWND HostWindowTest::Conversation(HWND window) {
  return FindWindowExA(window, nullptr, "WndAte32Class", nullptr);
}

HWND HostWindowTest::TextControl(HWND window) {
  return FindWindowExA(Conversation(window), nullptr, "Ate32Class", nullptr);
}

void HostWindowTest::SetConversation(HWND window, const std::string& html) {
  SetWindowTextA(Conversation(window), html.c_str());
}

void HostWindowTest::Poll(HWND window) { SendMessageA(window, WM_TIMER, 9999, 0); }

std::string HostWindowTest::DayFilePath(const std::string& user, const std::string& buddy,
                                        const char* fileName) const {
  return logDir_ + "\\" + user + "\\" + buddy + "\\" + fileName;
}

std::string HostWindowTest::ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

bool HostWindowTest::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string HostWindowTest::KeyOf(HWND window, const char* time) {
  char key[32];
  std::snprintf(key, sizeof key, "%s-%x", time,
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
  return key;
}

}  // namespace corvane
