#include <windows.h>

#include "hooklib/core/process_state.h"

// Only records the module handle: the library's resources load from it.
//
// The hook always loads this library after its process started, and
// Windows XP gives such a DLL no static thread-local storage and never calls
// its TLS callbacks (those of mingw's CRT and of winpthreads).  The library
// has no static TLS data (tests/xp_imports_test.py holds this): the only
// thread_local in it, libstdc++'s exception state, goes through emutls on
// winpthreads' keys (TlsAlloc).  What the callbacks do at a thread's end,
// free winpthreads' record of a thread that used it (a first static
// initialisation, an exception), is left undone there until the process
// ends: a few handles for the few threads our code runs on.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  corvane::Process().module = instance;
  return TRUE;
}
