#include "viewer/search/index_location.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace corvane {
namespace {

// With a separator at its end, for comparing folders by their beginnings.
std::string AsFolder(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string FullLowerPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  std::string name = length > 0 && length < MAX_PATH ? std::string(full, length) : path;
  if (!name.empty()) CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
  while (name.size() > 3 && name.back() == '\\') name.pop_back();
  return name;
}

std::uint64_t Fnv1a(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ULL;
  return hash;
}

}  // namespace

std::string Utf8Path(const std::string& ansi) {
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return std::string();
  std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, &utf8[0], length, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

std::string IndexedFolderName(const std::string& historyFolder) {
  return FullLowerPath(historyFolder);
}

std::string SearchIndexPath(const std::string& historyFolder) {
  char local[MAX_PATH];
  if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                       SHGFP_TYPE_CURRENT, local) != S_OK) {
    return std::string();
  }
  const std::string folder = std::string(local) + "\\Corvane";
  const std::string history = AsFolder(IndexedFolderName(historyFolder));
  if (AsFolder(FullLowerPath(folder)).compare(0, history.size(), history) == 0)
    return std::string();
  if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return std::string();
  return folder + "\\" + SearchIndexName(historyFolder) + ".db";
}

std::string SearchIndexName(const std::string& historyFolder) {
  char name[32];
  std::snprintf(name, sizeof name, "search-%016llx",
                static_cast<unsigned long long>(Fnv1a(IndexedFolderName(historyFolder))));
  return name;
}

}  // namespace corvane
