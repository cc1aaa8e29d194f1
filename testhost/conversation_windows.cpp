#include "testhost/conversation_windows.h"

#include <algorithm>
#include <map>

#include "common/unique_handle.h"
#include "testhost/buddy_list.h"
#include "testhost/host_texts.h"
#include "testhost/report.h"
#include "testhost/text_controls.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

enum ChildId : int { kIdConversation = 1, kIdInput, kIdCombo, kIdMembers };
enum ConversationMenuCommand : WORD {
  kCmdClose = 30101,
  kCmdClearWindow,
  kCmdSmiley,
  kCmdReply,
  kCmdAimToday
};

constexpr const char* kImButtons[] = {"Send", "Warn", "Block", "Info"};
constexpr const char* kChatButtons[] = {"Send", "Invite"};
constexpr int kButtonWidth = 54;
constexpr int kInputHeight = 60;
constexpr int kMemberListWidth = 110;
constexpr char kChatBuddy[] = "bob";

constexpr char kHadMessagesProperty[] = "TesthostHadMessages";

std::map<std::string, HWND> g_windows;  // by buddy or room name

bool IsChat(HWND window) { return GetDlgItem(window, kIdMembers) != nullptr; }

std::string NameOf(HWND window) {
  for (const auto& entry : g_windows)
    if (entry.second == window) return entry.first;
  return std::string();
}

void AddMenu(HMENU bar, const char* title, WORD command, const char* item) {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, command, item);
  AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title);
}

HMENU BuildMenuBar(bool chat) {
  HMENU bar = CreateMenu();
  AddMenu(bar, "&File", kCmdClose, "&Close");
  AddMenu(bar, "&Edit", kCmdClearWindow, chat ? "Clear Chat &Window" : "Clear IM &Window");
  AddMenu(bar, "&Insert", kCmdSmiley, "&Smiley");
  AddMenu(bar, "&People", kCmdReply, chat ? "Make bob &Talk" : "Make Buddy &Reply");
  if (chat) AddMenu(bar, "&Help", kCmdAimToday, "AIM &Today");
  return bar;
}

void Place(HWND window, int id, int x, int y, int width, int height) {
  if (HWND child = GetDlgItem(window, id))
    SetWindowPos(child, nullptr, x, y, std::max(width, 0), std::max(height, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOut(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const int w = client.right, h = client.bottom;
  const bool chat = IsChat(window);
  const int top = chat ? 4 : 30;
  const int buttonsTop = h - 34;
  const int inputTop = buttonsTop - kInputHeight - 4;
  const int members = chat ? kMemberListWidth : 0;
  Place(window, kIdCombo, 36, 4, w - 40, 22);
  Place(window, kIdConversation, 4, top, w - 8 - members, inputTop - top - 4);
  Place(window, kIdMembers, w - members, top, members - 4, inputTop - top - 4);
  Place(window, kIdInput, 4, inputTop, w - 8, kInputHeight);
  const int count = chat ? 2 : 4;
  for (int i = 0; i < count; ++i)
    Place(window, kSendCommand + i, w - (count - i) * (kButtonWidth + 4), buttonsTop, kButtonWidth,
          30);
}

void SendTypedText(HWND window) {
  HWND input = TextControlOf(GetDlgItem(window, kIdInput));
  std::string text = input ? WindowText(input) : std::string();
  if (text.empty()) return;
  DeliverMessage(window, ScreenName(), text, true);
  SetWindowTextA(input, "");
}

void OnConversationCommand(HWND window, WORD id) {
  switch (id) {
    case kSendCommand:
      SendTypedText(window);
      break;
    case kCmdClose:
      PostMessageA(window, WM_CLOSE, 0, 0);
      break;
    case kCmdClearWindow:
      if (HWND control = ConversationTextControl(window))
        SendMessageA(control, WM_COMMAND, MAKEWPARAM(kHostClearCommand, 0), 0);
      break;
    case kCmdSmiley:
      DeliverMessage(window, ScreenName(), "<IMG SRC=\"smile.gif\">", true);
      break;
    case kCmdReply:
      DeliverMessage(window, IsChat(window) ? kChatBuddy : NameOf(window), "Sounds good to me.",
                     false);
      break;
    case kCmdAimToday:
      if (HWND buddyList = BuddyListWindow())
        SendMessageA(buddyList, WM_COMMAND, kHostTodayCommand, 0);
      break;
  }
}

void PaintToLabel(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!IsChat(window)) {
    HGDIOBJ oldFont = SelectObject(dc, GuiFont());
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 8, 8, "To:", 3);
    SelectObject(dc, oldFont);
  }
  EndPaint(window, &paint);
}

LRESULT ConversationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      LayOut(window);
      return 0;
    case WM_PAINT:
      PaintToLabel(window);
      return 0;
    case WM_COMMAND:
      OnConversationCommand(window, LOWORD(wParam));
      return 0;
    case WM_SYSCOMMAND:
      ReportPrivateSysCommand(window, wParam);
      break;
    case WM_DESTROY:
      ReportDestroyed(window);
      g_windows.erase(NameOf(window));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void CreateChildren(HWND window, const std::string& name, bool chat) {
  CreateTextFrame(window, kIdConversation, 0);
  CreateTextFrame(window, kIdInput, kAteEditable);
  const int count = chat ? 2 : 4;
  for (int i = 0; i < count; ++i)
    CreateReported("_Oscar_IconBtn", chat ? kChatButtons[i] : kImButtons[i], WS_CHILD | WS_VISIBLE,
                   0, 0, 10, 10, window, kSendCommand + i);
  if (chat) {
    std::string members = "In this room:\n   " + ScreenName() + "\n   " + kChatBuddy + "\n   carol";
    CreateReported("_Oscar_Tree", members, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window, kIdMembers);
  } else if (HWND combo = CreateReported("_Oscar_PersistantCombo", "", WS_CHILD | WS_VISIBLE, 0, 0,
                                         10, 10, window, kIdCombo, WS_EX_CLIENTEDGE)) {
    CreateReported("Edit", name, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, combo, 1);
  }
}

HWND OpenConversation(const std::string& name, bool chat) {
  if (HWND open = FindConversationWindow(name)) {
    SetForegroundWindow(open);
    return open;
  }
  corvane::OwnedMenu menuBar(BuildMenuBar(chat));
  const int offset = 30 * static_cast<int>(g_windows.size() % 8);
  HWND window = CreateReported(
      chat ? "AIM_ChatWnd" : "AIM_IMessage", chat ? ChatWindowTitle(name) : ImWindowTitle(name),
      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, (chat ? 660 : 260) + offset, 60 + offset,
      chat ? 480 : 380, 340, nullptr, reinterpret_cast<UINT_PTR>(menuBar.Get()));
  if (!window) return nullptr;
  menuBar.Release();  // the window's now
  g_windows[name] = window;
  CreateChildren(window, name, chat);
  LayOut(window);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetFocus(TextControlOf(GetDlgItem(window, kIdInput)));
  return window;
}

}  // namespace

void RegisterConversationClasses() {
  RegisterWindowClass("AIM_IMessage", Guarded<ConversationProc>, COLOR_BTNFACE);
  RegisterWindowClass("AIM_ChatWnd", Guarded<ConversationProc>, COLOR_BTNFACE);
}

HWND OpenImWindow(const std::string& buddy) { return OpenConversation(buddy, false); }
HWND OpenChatWindow(const std::string& room) { return OpenConversation(room, true); }

HWND FindConversationWindow(const std::string& name) {
  auto found = g_windows.find(name);
  return found == g_windows.end() ? nullptr : found->second;
}

HWND ConversationFrame(HWND window) {
  return FindWindowExA(window, nullptr, "WndAte32Class", nullptr);
}

HWND ConversationTextControl(HWND window) {
  HWND frame = ConversationFrame(window);
  return frame ? TextControlOf(frame) : nullptr;
}

bool DeliverMessage(HWND window, const std::string& sender, const std::string& text, bool own) {
  HWND control = ConversationTextControl(window);
  if (!control) return false;
  std::string current = WindowText(control);
  // Emptied from outside after messages, the host goes on as after its own
  // clear: from the body tag and a line break.
  if (current.empty() && GetPropA(window, kHadMessagesProperty) != nullptr) {
    current = ClearedConversation();
  }
  SetPropA(window, kHadMessagesProperty, reinterpret_cast<HANDLE>(1));
  std::string conversation = AppendMessage(current, sender, text, own);
  SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(conversation.c_str()));
  Report("message hwnd=" + HandleText(window) + " sender=" + Value(sender) +
         " own=" + (own ? "1" : "0") + " length=" + std::to_string(GetWindowTextLengthA(control)));
  return true;
}

}  // namespace testhost
