// Test support, loaded by the robot and, through a hook, into the program it
// watches: asks a control what only its own thread can tell exactly and
// leaves the answer in a shared section for the robot.
// - One line of an edit or rich edit.  Wine hands the receiver of an
//   EM_GETLINE sent from another process a buffer whose length word is
//   whatever the memory held, so the control's answer, sent back whole, can
//   be tens of kilobytes; and Wine's server drops a client whose reply it
//   cannot take in one write, which ends the watched program.
// - The size its text takes in the control's own font: a font handle means
//   nothing in another process.
#include <windows.h>

namespace {

constexpr WORD kMaxLine = 1000;

struct SharedAnswer {
  LONG copied;
  char text[kMaxLine + 1];
  LONG width;
  LONG height;
  LONG dpi;
};

SharedAnswer g_answer __attribute__((section(".shared"), shared)) = {};

HMODULE g_module = nullptr;

UINT ReadLineMessage() {
  static const UINT kMessage = RegisterWindowMessageA("Corvane robot: read line");
  return kMessage;
}

UINT MeasureTextMessage() {
  static const UINT kMessage = RegisterWindowMessageA("Corvane robot: measure text");
  return kMessage;
}

void ReadLine(HWND control, WPARAM line) {
  char buffer[kMaxLine + 1] = "";
  *reinterpret_cast<WORD*>(buffer) = kMaxLine;
  LRESULT copied = SendMessageA(control, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer));
  if (copied < 0) copied = 0;
  if (copied > kMaxLine) copied = kMaxLine;
  CopyMemory(g_answer.text, buffer, static_cast<SIZE_T>(copied));
  g_answer.copied = static_cast<LONG>(copied);
}

// As the control's own drawing measures it: its text in its font, laid out
// by DrawText with `format` within `width` pixels.
void MeasureText(HWND control, WPARAM width, LPARAM format) {
  char text[kMaxLine + 1] = "";
  GetWindowTextA(control, text, sizeof text);
  HDC dc = GetDC(control);
  const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  RECT r{0, 0, static_cast<LONG>(width), 0};
  DrawTextA(dc, text, -1, &r, static_cast<UINT>(format) | DT_CALCRECT);
  g_answer.width = r.right - r.left;
  g_answer.height = r.bottom - r.top;
  g_answer.dpi = GetDeviceCaps(dc, LOGPIXELSX);
  if (previous != nullptr) SelectObject(dc, previous);
  ReleaseDC(control, dc);
}

LRESULT CALLBACK SentProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == ReadLineMessage()) ReadLine(sent->hwnd, sent->wParam);
    if (sent->message == MeasureTextMessage()) MeasureText(sent->hwnd, sent->wParam, sent->lParam);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Sends `message` to the control with the hook set in its thread; false
// when no hook could be set.
bool AskInItsThread(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, SentProc, g_module,
                                 GetWindowThreadProcessId(control, nullptr));
  if (hook == nullptr) return false;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(control, message, wParam, lParam, SMTO_NORMAL, 10000, &ignored);
  UnhookWindowsHookEx(hook);
  return true;
}

}  // namespace

// Line `line` of `control` (its first 1,000 bytes), read in the control's
// thread; the number of bytes copied to `text`, or -1 when no hook could be
// set.
extern "C" __declspec(dllexport) LONG ReadControlLine(HWND control, WPARAM line, char* text) {
  g_answer.copied = 0;
  if (!AskInItsThread(control, ReadLineMessage(), line, 0)) return -1;
  const LONG copied = g_answer.copied;
  CopyMemory(text, g_answer.text, static_cast<SIZE_T>(copied));
  return copied;
}

// The width and height `control`'s text takes in its font, laid out by
// DrawText with `format` within `width` pixels, and the dots per inch its
// program draws at; false when no hook could be set.
extern "C" __declspec(dllexport) BOOL
    MeasureControlText(HWND control, LONG width, UINT format, SIZE* need, LONG* dpi) {
  g_answer.width = g_answer.height = g_answer.dpi = 0;
  if (!AskInItsThread(control, MeasureTextMessage(), static_cast<WPARAM>(width), format))
    return FALSE;
  need->cx = g_answer.width;
  need->cy = g_answer.height;
  *dpi = g_answer.dpi;
  return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}
