#include "hooklib/history/capture.h"

#include <algorithm>
#include <string>

#include "common/bounded_copy.h"
#include "common/capacities.h"
#include "common/system_code_page.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/title_to_buddy_name.h"
#include "hooklib/history/write_history.h"

namespace corvane {
namespace {

// The most of the conversation a capture reads.
constexpr int kCaptureLimit = 65535;

}  // namespace

HWND FindConversationControl(HWND window) {
  return FindWindowExA(window, nullptr, "WndAte32Class", nullptr);
}

bool TitleToBuddyName(HWND window, char* out) {
  out[0] = '\0';
  char title[kTitleBufferSize] = "";
  if (GetWindowTextA(window, title, kTitleBufferSize - 1) <= 0) return false;
  const auto name = TitleToBuddyName(std::string_view(title), SystemLeadBytes());
  if (!name) return false;
  CopyBounded(out, kNameCapacity, name->c_str());
  return true;
}

bool CaptureConversation(char* userName, const char* sessionKey, HWND window, DayFileMark& mark) {
  char buddyName[kNameCapacity];
  if (!TitleToBuddyName(window, buddyName)) return true;
  const HWND control = FindConversationControl(window);
  if (control == nullptr) return true;
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return true;
  std::string text(static_cast<size_t>(std::min(length, kCaptureLimit)) + 1, '\0');
  const int read = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  if (read <= 0) return true;
  text.resize(static_cast<size_t>(read));
  return WriteHistory(Shared().LogDir, userName, buddyName, sessionKey, RewriteConversation(text),
                      mark);
}

}  // namespace corvane
