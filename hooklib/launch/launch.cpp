#include "hooklib/launch/launch.h"

#include <shellapi.h>

#include <string>

namespace corvane {
namespace {

// The folder of the module that holds this code (the hook library), with
// its final backslash; empty when the name does not fit.
std::string OwnModuleFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&LaunchClone), &self)) {
    return std::string();
  }
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const std::string file(path, length);
  const size_t slash = file.find_last_of('\\');
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

// Starts the program `name` that lies beside the hook library, by its full
// path and in its own folder: never a program of that name found in another
// folder.  The shell reports success with a value above 32.
bool StartBesideLibrary(HWND owner, const char* name, const char* arguments) {
  const std::string folder = OwnModuleFolder();
  if (folder.empty()) return false;
  const std::string program = folder + name;
  return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, nullptr, program.c_str(), arguments,
                                                 folder.c_str(), SW_SHOWNORMAL)) > 32;
}

}  // namespace

void LaunchClone() {
  if (!StartBesideLibrary(nullptr, kLauncherFile, "-clone")) {
    MessageBoxA(nullptr, kCloneLaunchError, kLaunchErrorCaption, MB_OK);
  }
}

void LaunchHistoryViewer(HWND owner, const char* arguments) {
  if (!StartBesideLibrary(owner, kHistoryViewerFile, arguments)) {
    MessageBoxA(owner, kHistoryViewerLaunchError, kLaunchErrorCaption, MB_OK);
  }
}

}  // namespace corvane
