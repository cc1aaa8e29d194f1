#include "common/open_web_address.h"

#include <shellapi.h>

#include "common/web_address.h"

namespace corvane {

void OpenWebAddress(HWND owner, const std::string& address) {
  if (!IsWebAddress(address)) return;
  ShellExecuteA(owner, nullptr, address.c_str(), nullptr, nullptr, SW_HIDE);
}

}  // namespace corvane
