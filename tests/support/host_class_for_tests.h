// Test programs stand in for the host by registering its window classes in
// their own module.
#pragma once

#include <windows.h>

namespace corvane {

inline void RegisterHostClass(const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace corvane
