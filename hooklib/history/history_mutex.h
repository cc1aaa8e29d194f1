// `HistoryMutex`: this process's handle of the named mutex
// "MutexToProtectHistoryFiles", which only the process that called _Init@4
// (the launcher) holds; the history poll waits on it when it is there.
#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace corvane {

inline constexpr char kHistoryMutexName[] = "MutexToProtectHistoryFiles";

// None where _Init@4 never ran.
KernelHandle& HistoryMutex();

}  // namespace corvane
