// GetTickCount64 for Windows XP, whose kernel32 lacks it.  The toolchain's
// static winpthreads (its timed waits, misc.o) calls it through the import
// symbol __imp__GetTickCount64@0, which XP's loader cannot resolve: it would
// refuse Corvane.exe, Corvane.dll and the History Viewer.  The object of
// tick_count_64.cpp defines that symbol, so a program it is linked into
// imports no GetTickCount64 (tests/xp_imports_test.py holds this); the call
// goes to kernel32's where the system has it, else to a count of our own
// over GetTickCount.
#pragma once

#include <windows.h>

// The import's symbol.  Names of 32-bit Windows carry an underscore and
// stdcall's argument size; the 64-bit test build's carry neither.
#if defined(_WIN64)
#define CORVANE_TICK_COUNT_64_IMPORT "__imp_GetTickCount64"
#else
#define CORVANE_TICK_COUNT_64_IMPORT "__imp__GetTickCount64@0"
#endif

namespace corvane {

using TickCountFunction = DWORD(WINAPI*)();
using TickCount64Function = ULONGLONG(WINAPI*)();
using TickCount64Lookup = TickCount64Function (*)();

// What the import calls: the first call looks GetTickCount64 up in kernel32
// and keeps kernel32's, or TickCount64OverTickCount where it is missing.
// Thread-safe, takes no lock and needs no thread-local storage, so it may
// run in DllMain and on threads the library did not start.
ULONGLONG WINAPI TickCount64();

// The count where kernel32 has no GetTickCount64: GetTickCount's count
// widened to 64 bits (ExtendTickCount), going on past its wrap every 49.7
// days while it is read at least once in that time.  Never goes back, also
// read on several threads at once.
ULONGLONG WINAPI TickCount64OverTickCount();

// For tests: how TickCount64 looks kernel32's function up (a lookup that
// gives null is a system without it) and what the count over GetTickCount
// reads instead of GetTickCount; null restores the system's.  Each makes
// TickCount64 choose anew at its next call, and the second starts the count
// over GetTickCount from 0.
void SetTickCount64LookupForTesting(TickCount64Lookup lookup);
void SetTickCountSourceForTesting(TickCountFunction source);

}  // namespace corvane
