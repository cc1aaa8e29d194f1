// Test support: the framework tests' dialog, with its anchors registered the
// way an application's dialog does, running a test script on the dialog's
// thread once it is up and showing.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "viewer/framework/anchor_dialog.h"
#include "viewer/framework/testing/test_dialog_ids.h"

namespace corvane {

// A minimize or maximize request the dialog received before its script ran,
// and the window's rectangle at that moment.
struct StartupCommand {
  UINT command;
  RECT rect;
};

template <class Base>
class ScriptedDialog : public Base {
 public:
  using Script = std::function<void(HWND)>;
  explicit ScriptedDialog(Script script) : Base(IDD_FRAMEWORK_TEST), script_(std::move(script)) {}

  const std::vector<StartupCommand>& StartupCommands() const { return startupCommands_; }

 protected:
  BOOL OnInitDialog() override {
    Base::OnInitDialog();
    this->AnchorControl(IDC_TEST_VIEW, Anchor{0, 0}, Anchor{100, 100});
    this->AnchorControl(IDC_TEST_LIST, Anchor{0, 0}, Anchor{0, 100});
    this->AnchorControl(IDC_TEST_RIGHT_TEXT, Anchor{100, 0}, Anchor{100, 0});
    this->AnchorControl(IDC_TEST_RIGHT_BUTTON, Anchor{100, 0}, Anchor{100, 0});
    // Starts once the window is painted and the window manager has shown it,
    // so that the script's changes of state are not undone by a late map.
    SetTimer(this->GetSafeHwnd(), kScriptTimer, 300, nullptr);
    return TRUE;
  }

  std::optional<LRESULT> WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_TIMER && wParam == kScriptTimer) {
      KillTimer(this->GetSafeHwnd(), kScriptTimer);
      scriptStarted_ = true;
      script_(this->GetSafeHwnd());
      return 0;
    }
    // Only these two: under Wine the window manager may answer an early
    // maximize with a restore of its own.
    const UINT command = static_cast<UINT>(wParam & 0xFFF0);
    if (msg == WM_SYSCOMMAND && !scriptStarted_ &&
        (command == SC_MINIMIZE || command == SC_MAXIMIZE)) {
      RECT r{};
      GetWindowRect(this->GetSafeHwnd(), &r);
      startupCommands_.push_back(StartupCommand{command, r});
    }
    return Base::WindowProc(msg, wParam, lParam);
  }

 private:
  static constexpr UINT_PTR kScriptTimer = 7;
  Script script_;
  bool scriptStarted_ = false;
  std::vector<StartupCommand> startupCommands_;
};

// A control's rectangle in its dialog's client coordinates.
inline RECT ControlRect(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// Handles the thread's messages for a while, so that the window manager's
// answers to a change of the window's state have arrived.
inline void Settle(DWORD milliseconds = 300) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

// Resizes without moving.
inline void ResizeWindow(HWND window, int width, int height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane
