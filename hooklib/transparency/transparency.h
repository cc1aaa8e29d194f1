// Translucent host windows through the layered-window facility, which
// exists from Windows 2000 on; elsewhere every call here changes nothing.
#pragma once

#include <windows.h>

namespace corvane {

// True on the NT family from version 5 on.
bool SupportsLayeredWindows();

// Makes `window` layered with opacity `alpha` while `enable` (the AlphaOn
// setting) is non-zero; otherwise removes the layered style, leaving the
// window opaque.
void ApplyWindowAlpha(HWND window, BYTE alpha, int enable);

// The activation and fade rules for one window kind: WM_ACTIVATE turns the
// window opaque or starts its fade towards `target`; WM_TIMER TIMER_FADE
// steps `fadeLevel`, which all windows of the kind in a process share.
// Other messages are ignored.
void OnActivationMessage(HWND window, UINT message, WPARAM wParam, BYTE target, BYTE& fadeLevel);

// How far each kind of window has faded down in this process: all
// conversation windows share one level, the Buddy List has its own.
struct FadeLevels {
  BYTE buddyList = 0;      // the Buddy List's opacity while it fades down
  BYTE conversations = 0;  // shared by all conversation windows while they fade
};

FadeLevels& ProcessFadeLevels();

}  // namespace corvane
