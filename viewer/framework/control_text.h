// Reading what controls and the clock say, as the viewer's windows need it.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

// The whole window text of a control.
std::string ControlText(HWND control);

// Seconds from a QueryPerformanceCounter reading until now.
double SecondsSince(const LARGE_INTEGER& start);

}  // namespace corvane
