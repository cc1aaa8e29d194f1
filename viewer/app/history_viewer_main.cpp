// Entry point of "Corvane History Viewer.exe".
#include <windows.h>

#include "viewer/app/history_viewer_app.h"

namespace {

corvane::CHistoryViewerApp g_theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return g_theApp.Run(); }
