// The one record of all settings, in a section that every process mapping
// the hook library shares.  Fields are named after their registry values and
// are read and written directly; each int, DWORD and handle field is one
// aligned 32-bit value and each BYTE field one byte, so a reader in another
// process sees either the old or the new value, never a mix.
#pragma once

#include <windows.h>

#include "common/capacities.h"

namespace corvane {

inline constexpr int kReleaseTextCapacity = 256;

struct SharedSettings {
  BYTE AlphaIM;
  BYTE AlphaBL;
  int AlphaOn;
  int OpaqueOnTop;
  int AlphaFadeDown;
  int CheckVersion;
  int Statistics;
  int RemoveAds;
  int ListButtons;
  int GenButtons;
  int Logging;
  char LogDir[kPathCapacity];
  char AppPath[kPathCapacity];
  char CurDir[kPathCapacity];
  char Version[kPathCapacity];
  char CheckVersionLast[kPathCapacity];
  char ReleaseText[kReleaseTextCapacity];
  DWORD HotKey;
  int CorvaneProfileLink;
  int AllowStockTicker;
  int AllowAIMTodayPopup;
  int AllowCloning;
  int ShowBLinTaskbar;
  int Menu;
  int Tabs;
  DWORD CheckVersionLastDay;
  HHOOK HookHandle;
};

// The shared instance.
extern SharedSettings Shared;

}  // namespace corvane
