#include "launcher/message_boxes.h"

#include <new>

#include "common/unique_handle.h"
#include "launcher/launcher_texts.h"

namespace corvane {
namespace {

constexpr UINT kErrorStyle = MB_OK | MB_ICONERROR | MB_SETFOREGROUND;
constexpr UINT kNotificationStyle = MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND;

struct PendingBox {
  std::string text;
  const char* caption;
  UINT style;
};

DWORD WINAPI ShowPendingBox(void* parameter) {
  PendingBox* box = static_cast<PendingBox*>(parameter);
  MessageBoxA(nullptr, box->text.c_str(), box->caption, box->style);
  delete box;
  return 0;
}

void ShowOnOwnThread(const std::string& text, const char* caption, UINT style) {
  PendingBox* box = new (std::nothrow) PendingBox{text, caption, style};
  const KernelHandle thread(box ? CreateThread(nullptr, 0, ShowPendingBox, box, 0, nullptr)
                                : nullptr);
  if (thread) return;
  delete box;
  MessageBoxA(nullptr, text.c_str(), caption, style);
}

}  // namespace

std::string SystemErrorText(DWORD error) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof text, nullptr);
  if (text[0] == '\0') return "Error " + std::to_string(error) + ".";
  return WithoutTrailingBlanks(text);
}

void ShowError(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kErrorCaption, kErrorStyle);
}

void ShowNotification(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), kNotificationCaption, kNotificationStyle);
}

void ShowErrorWithoutWaiting(const std::string& text) {
  ShowOnOwnThread(text, kErrorCaption, kErrorStyle);
}

void ShowNotificationWithoutWaiting(const std::string& text) {
  ShowOnOwnThread(text, kNotificationCaption, kNotificationStyle);
}

}  // namespace corvane
