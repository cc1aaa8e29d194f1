// Binding of Corvane.dll's exports, and the check that it is of the
// launcher's own release: the two share the settings record and the hook's
// protocol, so a library left from another release must never be hooked
// into the messenger.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

struct HookLibrary {
  HMODULE module = nullptr;
  HOOKPROC cbtProc = nullptr;
  int(WINAPI* init)(HHOOK hook) = nullptr;
  int(WINAPI* shutdown)() = nullptr;
  char*(__cdecl* getAppPath)(char* buffer, int size) = nullptr;
  int(__cdecl* getAllowCloning)() = nullptr;
  char*(__cdecl* setCurDir)(const char* path) = nullptr;
  int(__cdecl* loadSettingsFromReg)() = nullptr;
  int(__cdecl* doPrefDlg)() = nullptr;
};

// Loads the library at `path` and binds every export.  On failure returns
// false and puts the text for the user into *error.  The library stays
// loaded for the life of the process.
bool LoadHookLibrary(const std::string& path, HookLibrary* library, std::string* error);

// True when the library file at `path` carries this launcher's product
// version; otherwise puts the text for the user into *error.
bool LibraryVersionMatches(const std::string& path, std::string* error);

}  // namespace corvane
