// Test support, loaded by the robot and, through a hook, into the program it
// watches: reads one line of an edit or rich edit control in the control's
// own thread and leaves it in a shared section for the robot.  Wine hands
// the receiver of an EM_GETLINE sent from another process a buffer whose
// length word is whatever the memory held, so the control's answer, sent
// back whole, can be tens of kilobytes; and Wine's server drops a client
// whose reply it cannot take in one write, which ends the watched program.
// Asked inside that program, the question is exact and the answer small.
#include <windows.h>

namespace {

constexpr WORD kMaxLine = 1000;

struct SharedLine {
  LONG copied;
  char text[kMaxLine + 1];
};

SharedLine g_line __attribute__((section(".shared"), shared)) = {};

HMODULE g_module = nullptr;

UINT ReadLineMessage() {
  static const UINT kMessage = RegisterWindowMessageA("Corvane robot: read line");
  return kMessage;
}

LRESULT CALLBACK SentProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == ReadLineMessage()) {
      char buffer[kMaxLine + 1] = "";
      *reinterpret_cast<WORD*>(buffer) = kMaxLine;
      LRESULT copied =
          SendMessageA(sent->hwnd, EM_GETLINE, sent->wParam, reinterpret_cast<LPARAM>(buffer));
      if (copied < 0) copied = 0;
      if (copied > kMaxLine) copied = kMaxLine;
      CopyMemory(g_line.text, buffer, static_cast<SIZE_T>(copied));
      g_line.copied = static_cast<LONG>(copied);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// Line `line` of `control` (its first 1,000 bytes), read in the control's
// thread; the number of bytes copied to `text`, or -1 when no hook could be
// set.
extern "C" __declspec(dllexport) LONG ReadControlLine(HWND control, WPARAM line, char* text) {
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, SentProc, g_module,
                                 GetWindowThreadProcessId(control, nullptr));
  if (hook == nullptr) return -1;
  g_line.copied = 0;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(control, ReadLineMessage(), line, 0, SMTO_NORMAL, 10000, &ignored);
  UnhookWindowsHookEx(hook);
  const LONG copied = g_line.copied;
  CopyMemory(text, g_line.text, static_cast<SIZE_T>(copied));
  return copied;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}
