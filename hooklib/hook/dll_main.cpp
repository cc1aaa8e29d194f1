#include <windows.h>

#include "hooklib/core/process_state.h"

// Only records the module handle: the library's resources load from it.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  corvane::Process().module = instance;
  return TRUE;
}
