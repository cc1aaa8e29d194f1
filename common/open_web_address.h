// Opens a web page in the user's browser through the shell.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

// Hands the address to the shell's default action, hidden, when it is an
// http or https address (IsWebAddress); any other address opens nothing.
void OpenWebAddress(HWND owner, const std::string& address);

}  // namespace corvane
