// The one record of all settings that the launcher and every messenger of
// this user in this session see at once (settings_mapping.h says where it
// lives).  Fields are named after their registry values; setting_rows.h
// says which are settings and how each is stored.  Each int, DWORD
// and handle field is one aligned 32-bit value and each BYTE field one
// byte, so a reader in another process sees either the old or the new value
// of one, never a mix.  Texts and several fields together are published
// whole (UpdateShared), and a whole copy is read without waiting
// (CurrentSettings).
#pragma once

#include <windows.h>

#include <functional>

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
// working (alone) rather than fail inside the host.  Only for reading or
// storing one number field at a time.
SharedSettings& Shared();

// A whole copy of the record as last published.  It never waits for
// another process: while a writer is at work (or after one was killed at
// work) it is this thread's last whole copy.
SharedSettings CurrentSettings();

// Publishes a change of the record whole: `change` gets a whole copy, and
// what it leaves there is put into the record in one step that no reader
// sees half done.  Writers take turns; one killed at work passes its turn on.
void UpdateShared(const std::function<void(SharedSettings&)>& change);

}  // namespace corvane
