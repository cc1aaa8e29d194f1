// Exports of the hook library besides the settings loader
// (LoadSettingsFromReg, settings/settings_store.h) and the preferences dialog
// (DoPrefDlg, preferences/preferences_dialog.h).
#pragma once

#include <windows.h>

// The system-wide CBT hook procedure, exported as _CBTProc@12.
extern "C" LRESULT CALLBACK CBTProc(int code, WPARAM wParam, LPARAM lParam);

// _Init@4: opens the history mutex in this process and enables chaining.
extern "C" int WINAPI Init(HHOOK hook);
// _Shutdown@0: closes that mutex and forgets the hook handle.
extern "C" int WINAPI Shutdown();
extern "C" char* __cdecl GetAppPath(char* buffer, int size);
extern "C" int __cdecl GetAllowCloning();
extern "C" char* __cdecl SetCurDir(const char* path);
