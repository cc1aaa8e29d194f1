#include "hooklib/settings/history_folder_default.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "common/path_rules.h"
#include "common/unique_handle.h"

namespace corvane {
namespace {

std::string ShellFolder(int id) {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::string();
  return path;
}

// Both views of a 64-bit system count: a 32-bit program is shown the x86
// folder as its Program Files.
bool InsideProgramFiles(const char* folder) {
  char native64[MAX_PATH] = "";
  GetEnvironmentVariableA("ProgramW6432", native64, MAX_PATH);
  for (const std::string& programFiles :
       {ShellFolder(CSIDL_PROGRAM_FILES), ShellFolder(CSIDL_PROGRAM_FILESX86),
        std::string(native64)}) {
    if (IsFullyQualifiedPath(programFiles) && PathIsPrefixA(programFiles.c_str(), folder)) {
      return true;
    }
  }
  return false;
}

// Writing a file of our own there (gone again when closed) is the one
// reliable test: the folder's security may grant or refuse in many ways.
bool UserCanWrite(const char* folder) {
  char probe[MAX_PATH] = "";
  const std::string name =
      "~corvane-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  if (PathCombineA(probe, folder, name.c_str()) == nullptr) return false;
  const KernelHandle file(CreateFileA(
      probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

}  // namespace

std::string DefaultLogDir(const char* launcherFolder) {
  if (!IsFullyQualifiedPath(launcherFolder)) {
    return DefaultHistoryFolder(launcherFolder, false, std::string());
  }
  const bool installed = InsideProgramFiles(launcherFolder) || !UserCanWrite(launcherFolder);
  return DefaultHistoryFolder(launcherFolder, installed,
                              installed ? ShellFolder(CSIDL_PERSONAL) : std::string());
}

}  // namespace corvane
