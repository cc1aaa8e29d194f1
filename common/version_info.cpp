#include "common/version_info.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/capacities.h"

namespace corvane {
namespace {

// The given path, or the process's own executable (not the hook library's).
std::string ChooseFile(const char* path) {
  if (path != nullptr && path[0] != '\0') return path;
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  self[MAX_PATH - 1] = '\0';
  return self;
}

bool ReadVersionBlock(const std::string& file, std::vector<char>& block) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return false;
  block.assign(size, '\0');
  return GetFileVersionInfoA(file.c_str(), 0, size, block.data()) != FALSE;
}

}  // namespace

void GetVersionText(char* out, const char* path) {
  if (out == nullptr) return;
  std::vector<char> block;
  if (!ReadVersionBlock(ChooseFile(path), block)) return;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len) ||
      fixed == nullptr || len < sizeof(VS_FIXEDFILEINFO)) {
    return;
  }
  const std::string text =
      FormatVersionText(HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                        HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
  CopyBounded(out, kVersionTextCapacity, text.c_str());
}

void GetVersionString(const char* name, char* out, const char* path) {
  if (name == nullptr || out == nullptr) return;
  std::vector<char> block;
  if (!ReadVersionBlock(ChooseFile(path), block)) return;
  const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
  char* text = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &len) ||
      text == nullptr) {
    return;
  }
  CopyBounded(out, 255, text);
}

}  // namespace corvane
