#include "viewer/history_tree/history_deletion.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace corvane {
namespace {

constexpr std::size_t kQuestionCapacity = 1024;

template <typename... Args>
std::string Question(const char* format, Args... args) {
  char text[kQuestionCapacity];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

}  // namespace

std::string ClearAllQuestion(const char* path) {
  return Question("Are you sure you want to delete all your histories?\n(Deleting this folder: %s)",
                  path);
}

std::string DeleteUserQuestion(const char* user, const char* path) {
  return Question(
      "Are you sure you want to delete all histories for %s?\n(Deleting this folder: %s)", user,
      path);
}

std::string DeleteBuddyQuestion(const char* user, const char* buddy, const char* path) {
  return Question(
      "Are you sure you want to delete all these histories between %s and %s?\n"
      "(Deleting this folder: %s)",
      user, buddy, path);
}

std::string DeleteDateQuestion(const char* user, const char* buddy, const char* date,
                               const char* path) {
  return Question(
      "Are you sure you want to delete the history for %s and %s on %s?\n(Deleting this file: %s)",
      user, buddy, date, path);
}

void DeleteToRecycleBin(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  // The source is a list of names, each ended by its NUL, and an empty one.
  std::string source;
  for (const std::string& path : paths) {
    source += path;
    source += '\0';
  }
  source += '\0';
  SHFILEOPSTRUCTA operation = {};
  operation.hwnd = nullptr;
  operation.wFunc = FO_DELETE;
  operation.pFrom = source.c_str();
  operation.pTo = nullptr;
  constexpr FILEOP_FLAGS kFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
  static_assert(kFlags == 0x4050);
  operation.fFlags = kFlags;
  operation.lpszProgressTitle = nullptr;
  SHFileOperationA(&operation);
}

}  // namespace corvane
