#include "tests/support/box_answerer.h"

#include <cstring>

namespace corvane {
namespace {

BOOL CALLBACK FindStaticText(HWND child, LPARAM out) {
  char cls[32] = "";
  GetClassNameA(child, cls, sizeof cls);
  char text[2048] = "";
  GetWindowTextA(child, text, sizeof text);
  if (std::strcmp(cls, "Static") == 0 && text[0] != '\0') {
    *reinterpret_cast<std::string*>(out) = text;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

BoxAnswerer::BoxAnswerer(std::string caption, int button, std::function<void()> whileShown)
    : caption_(std::move(caption)),
      button_(button),
      whileShown_(std::move(whileShown)),
      thread_([this] { Run(); }) {}

BoxAnswerer::~BoxAnswerer() {
  stop_ = true;
  thread_.join();
}

void BoxAnswerer::Run() {
  while (!stop_ && !answered_) {
    HWND box = FindWindowA("#32770", caption_.c_str());
    if (box != nullptr && IsWindowVisible(box)) {
      std::string text;
      EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&text));
      text_ = text;
      owner_ = GetWindow(box, GW_OWNER);
      if (whileShown_) whileShown_();
      answered_ = true;
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
      return;
    }
    Sleep(10);
  }
}

std::string BoxAnswerer::Text() {
  for (int i = 0; i < 500 && !answered_; ++i) Sleep(10);
  return answered_ ? text_ : std::string();
}

}  // namespace corvane
