// IM windows (`AIM_IMessage`, 4-item menu bar) and chat windows
// (`AIM_ChatWnd`, 5-item menu bar).  Each holds, in this creation order, the
// conversation frame, the input frame (each a `WndAte32Class` with an
// `Ate32Class`), its `_Oscar_IconBtn` buttons, and then the IM window's
// screen-name combo or the chat window's member list.
#pragma once

#include <windows.h>

#include <string>

namespace testhost {

void RegisterConversationClasses();

// Opens the window for this buddy or room, or returns the open one; NULL
// when the creation was refused.
HWND OpenImWindow(const std::string& buddy);
HWND OpenChatWindow(const std::string& room);
HWND FindConversationWindow(const std::string& name);

// The first `WndAte32Class` child, and the `Ate32Class` inside it.
HWND ConversationFrame(HWND window);
HWND ConversationTextControl(HWND window);

// Appends a message to the conversation text, through WM_SETTEXT on the
// text control as the host does.
bool DeliverMessage(HWND window, const std::string& sender, const std::string& text, bool own);

}  // namespace testhost
