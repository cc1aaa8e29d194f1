// The one record of all settings that the launcher and every messenger of
// this user in this session see at once (settings_mapping.h says where it
// lives).  Fields are named after their registry values and are read and
// written directly; each int, DWORD and handle field is one aligned 32-bit
// value and each BYTE field one byte, so a reader in another process sees
// either the old or the new value, never a mix.
#pragma once

#include <windows.h>

#include "common/capacities.h"

namespace corvane {

inline constexpr int kReleaseTextCapacity = 256;

// The fields carry their registry values' names, as the design spells them.
// NOLINTBEGIN(readability-identifier-naming)
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
// NOLINTEND(readability-identifier-naming)

// This user's record, mapped at the first call in a process.  When no
// mapping can be had the process gets a record of its own, so that it keeps
// working (alone) rather than fail inside the host.
SharedSettings& Shared();

}  // namespace corvane
