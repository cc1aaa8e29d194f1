#include "testhost/script_runner.h"

#include <windows.h>

#include <map>

#include "testhost/buddy_list.h"
#include "testhost/conversation_windows.h"
#include "testhost/host_texts.h"
#include "testhost/other_subclasser.h"
#include "testhost/popups.h"
#include "testhost/report.h"
#include "testhost/text_controls.h"
#include "testhost/thread_windows.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

using Handler = bool (*)(const Command&, std::string*);

bool Fail(std::string* error, const std::string& message) {
  *error = message;
  return false;
}

bool NeedBuddyList(HWND* buddyList, std::string* error) {
  *buddyList = BuddyListWindow();
  return *buddyList || Fail(error, "not signed on");
}

bool NeedConversation(const std::string& name, HWND* window, std::string* error) {
  *window = FindConversationWindow(name);
  return *window || Fail(error, "no window " + name);
}

bool SignOnCommand(const Command& c, std::string* error) {
  if (BuddyListWindow()) return Fail(error, "already signed on");
  const std::string title = c.name == "signon" ? BuddyListTitle(c.text) : c.text;
  return SignOn(title) || Fail(error, "the Buddy List was not created");
}

bool SignOffCommand(const Command&, std::string* error) {
  HWND buddyList;
  return NeedBuddyList(&buddyList, error) && DestroyWindow(buddyList);
}

bool OpenCommand(const Command& c, std::string* error) {
  HWND window = c.name == "im" ? OpenImWindow(c.words[0]) : OpenChatWindow(c.words[0]);
  return window || Fail(error, "the window was not created");
}

bool ReceiveCommand(const Command& c, std::string* error) {
  // A message from a buddy without an open window opens an IM window.
  HWND window = FindConversationWindow(c.words[0]);
  if (!window) window = OpenImWindow(c.words[0]);
  if (!window) return Fail(error, "the window was not created");
  return DeliverMessage(window, c.words[1], c.text, false) ||
         Fail(error, "no conversation control");
}

bool SendCommand(const Command& c, std::string* error) {
  HWND window;
  if (!NeedConversation(c.words[0], &window, error)) return false;
  if (ScreenName().empty()) return Fail(error, "not signed on");
  return DeliverMessage(window, ScreenName(), c.text, true) ||
         Fail(error, "no conversation control");
}

bool ClearCommand(const Command& c, std::string* error) {
  HWND window;
  if (!NeedConversation(c.words[0], &window, error)) return false;
  HWND control = ConversationTextControl(window);
  if (!control) return Fail(error, "no conversation control");
  SendMessageA(control, WM_COMMAND, MAKEWPARAM(kHostClearCommand, 0), 0);
  return true;
}

bool CloseCommand(const Command& c, std::string* error) {
  HWND window;
  if (!NeedConversation(c.words[0], &window, error)) return false;
  SendMessageA(window, WM_CLOSE, 0, 0);
  return true;
}

bool TodayCommand(const Command&, std::string* error) {
  HWND buddyList;
  if (!NeedBuddyList(&buddyList, error)) return false;
  SendMessageA(buddyList, WM_COMMAND, kHostTodayCommand, 0);
  return true;
}

bool PopupCommand(const Command& c, std::string* error) {
  if (c.words[0] == "today")
    OpenPopup(PopupKind::kToday);
  else if (c.words[0] == "minibrowser")
    OpenPopup(PopupKind::kMiniBrowser);
  else
    return Fail(error, "unknown pop-up " + c.words[0]);
  return true;
}

bool ClosePopupsCommand(const Command&, std::string*) {
  ClosePopups();
  return true;
}

bool ResizeCommand(const Command& c, std::string* error) {
  HWND buddyList;
  int width, height;
  if (!ParseCount(c.words[0], &width) || !ParseCount(c.words[1], &height))
    return Fail(error, "bad size");
  if (!NeedBuddyList(&buddyList, error)) return false;
  SetWindowPos(buddyList, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool ShowCommand(const Command& c, std::string* error) {
  HWND buddyList;
  if (!NeedBuddyList(&buddyList, error)) return false;
  ShowWindow(buddyList, c.name == "maximize"   ? SW_MAXIMIZE
                        : c.name == "minimize" ? SW_MINIMIZE
                                               : SW_RESTORE);
  return true;
}

bool ActivateCommand(const Command& c, std::string* error) {
  HWND window;
  if (c.words[0] == "buddylist" ? !NeedBuddyList(&window, error)
                                : !NeedConversation(c.words[0], &window, error))
    return false;
  SetForegroundWindow(window);
  SetActiveWindow(window);
  Report("activated hwnd=" + HandleText(window) +
         " foreground=" + (GetForegroundWindow() == window ? "1" : "0"));
  return true;
}

bool WindowsCommand(const Command&, std::string*) {
  ReportThreadWindows();
  return true;
}

bool TextCommand(const Command& c, std::string* error) {
  HWND window;
  if (!NeedConversation(c.words[0], &window, error)) return false;
  HWND frame = ConversationFrame(window);
  if (!frame) return Fail(error, "no conversation control");
  const int length = GetWindowTextLengthA(frame);
  Report("text window=" + Value(c.words[0]) + " length=" + std::to_string(length) +
         " value=" + EscapeForLine(WindowText(frame)));
  return true;
}

bool TickerCommand(const Command& c, std::string* error) {
  HWND buddyList;
  if (!NeedBuddyList(&buddyList, error)) return false;
  HWND ticker = GetDlgItem(buddyList, kIdTickerPane);
  return (ticker && SetWindowTextA(ticker, c.text.c_str())) || Fail(error, "no ticker pane");
}

bool OtherSubclassCommand(const Command&, std::string* error) {
  return SubclassNextImWindow() || Fail(error, "the host's own CBT hook was not installed");
}

bool QuitCommand(const Command&, std::string*) {
  QuitHost();
  return true;
}

const std::map<std::string, Handler>& Handlers() {
  static const std::map<std::string, Handler> kHandlers = {
      {"signon", SignOnCommand},     {"signon-title", SignOnCommand},
      {"signoff", SignOffCommand},   {"im", OpenCommand},
      {"chat", OpenCommand},         {"receive", ReceiveCommand},
      {"send", SendCommand},         {"clear", ClearCommand},
      {"close", CloseCommand},       {"today", TodayCommand},
      {"popup", PopupCommand},       {"closepopups", ClosePopupsCommand},
      {"resize", ResizeCommand},     {"maximize", ShowCommand},
      {"restore", ShowCommand},      {"minimize", ShowCommand},
      {"activate", ActivateCommand}, {"windows", WindowsCommand},
      {"text", TextCommand},         {"ticker", TickerCommand},
      {"quit", QuitCommand},         {"subclass-next-im", OtherSubclassCommand},
  };
  return kHandlers;
}

}  // namespace

bool ExecuteCommand(const Command& command, std::string* error) {
  auto found = Handlers().find(command.name);
  if (found == Handlers().end()) return Fail(error, "unknown command " + command.name);
  return found->second(command, error);
}

}  // namespace testhost
