// The launcher's message boxes.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

// The system's description of an error code, in the user's language.
std::string SystemErrorText(DWORD error);

// Modal, on the calling thread.
void ShowError(const std::string& text);
void ShowNotification(const std::string& text);

// On a thread of its own, so that the launcher keeps watching its hosts
// while the box is open.  The box closes with the launcher.
void ShowErrorWithoutWaiting(const std::string& text);
void ShowNotificationWithoutWaiting(const std::string& text);

}  // namespace corvane
