#include "hooklib/history/capture.h"

#include <string>

#include "common/capacities.h"
#include "common/code_page_characters.h"
#include "hooklib/history/capture_rewrite.h"
#include "hooklib/history/folder_name.h"
#include "hooklib/history/write_history.h"

namespace corvane {

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

ConversationReading ReadConversation(HWND window, HWND control) {
  ConversationReading reading;
  char buddyName[kNameCapacity];
  if (TitleToBuddyName(window, buddyName)) reading.buddyName = buddyName;
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return reading;
  // All of it, however long: a block may be as long as the conversation.
  reading.text.assign(static_cast<size_t>(length) + 1, '\0');
  const int read =
      GetWindowTextA(control, reading.text.data(), static_cast<int>(reading.text.size()));
  reading.text.resize(read > 0 ? static_cast<size_t>(read) : 0);
  return reading;
}

HistoryWrite CaptureConversation(const char* historyFolder, std::string_view userName,
                                 const char* sessionKey, const ConversationReading& reading,
                                 DayFileMark& mark) {
  if (!reading.buddyName || reading.text.empty()) {
    return {true, std::string(userName), reading.buddyName.value_or(std::string())};
  }
  return WriteHistory(historyFolder, userName, *reading.buddyName, sessionKey,
                      RewriteConversation(reading.text), mark);
}

}  // namespace corvane
