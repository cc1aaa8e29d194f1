#include "hooklib/transparency/transparency.h"

#include "hooklib/core/private_codes.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/transparency/fade_rules.h"

namespace corvane {
namespace {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the system expects");

// Looked up at every call so that the library loads on systems without it.
SetLayeredWindowAttributesFn FindSetLayeredWindowAttributes() {
  HMODULE user32 = GetModuleHandleA("USER32.DLL");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<SetLayeredWindowAttributesFn>(
      GetProcAddress(user32, "SetLayeredWindowAttributes"));
}

FadeEvent EventOf(UINT message, WPARAM wParam) {
  if (message == WM_TIMER) return FadeEvent::kFadeTick;
  return LOWORD(wParam) == WA_INACTIVE ? FadeEvent::kDeactivated : FadeEvent::kActivated;
}

}  // namespace

bool SupportsLayeredWindows() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return false;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

void ApplyWindowAlpha(HWND window, BYTE alpha, int enable) {
  const SetLayeredWindowAttributesFn setLayeredWindowAttributes = FindSetLayeredWindowAttributes();
  if (setLayeredWindowAttributes == nullptr) return;
  if (!SupportsLayeredWindows()) return;
  LONG style = GetWindowLongA(window, GWL_EXSTYLE);
  if (enable != 0) {
    style |= WS_EX_LAYERED;
  } else {
    style &= ~WS_EX_LAYERED;
  }
  SetWindowLongA(window, GWL_EXSTYLE, style);
  // Refused by the system on a window that is no longer layered.
  setLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

void OnActivationMessage(HWND window, UINT message, WPARAM wParam, BYTE target, BYTE& fadeLevel) {
  if (message != WM_ACTIVATE && !(message == WM_TIMER && wParam == TIMER_FADE)) return;
  const TransparencySettings settings{Shared().AlphaOn, Shared().OpaqueOnTop,
                                      Shared().AlphaFadeDown};
  const FadeAction action = DecideFade(EventOf(message, wParam), settings, target, fadeLevel);
  fadeLevel = action.fadeLevel;
  if (action.killFadeTimer) KillTimer(window, TIMER_FADE);
  if (action.startFadeTimer) SetTimer(window, TIMER_FADE, kFadePeriodMs, nullptr);
  if (action.applyAlpha) ApplyWindowAlpha(window, action.alpha, Shared().AlphaOn);
}

FadeLevels& ProcessFadeLevels() {
  static FadeLevels levels;
  return levels;
}

}  // namespace corvane
