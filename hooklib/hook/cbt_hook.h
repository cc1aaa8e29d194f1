// The system-wide CBT hook procedure.
#pragma once

#include <windows.h>

// Exported as _CBTProc@12.
extern "C" LRESULT CALLBACK CBTProc(int code, WPARAM wParam, LPARAM lParam);
