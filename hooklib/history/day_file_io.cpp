#include "day_file_io.h"

#include <windows.h>

#include <string>

namespace corvane {
namespace {

// The viewer lists only ".html" names, so the new content's name must not
// end in ".html" until it replaces the file.
constexpr char kPendingSuffix[] = ".new";
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryMs = 50;

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

bool WriteAll(const char* path, std::string_view content) {
  FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  size_t done = 0;
  while (done < content.size()) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(content.size() - done);
    if (!WriteFile(file.get(), content.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
      return false;
    }
    done += wrote;
  }
  return FlushFileBuffers(file.get()) != FALSE;
}

}  // namespace

bool ReadWholeFile(const char* path, std::string& content) {
  FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  content.clear();
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    content.append(buffer, got);
  }
}

bool ReplaceFileContent(const char* path, std::string_view content) {
  const std::string pending = std::string(path) + kPendingSuffix;
  if (!WriteAll(pending.c_str(), content)) {
    DeleteFileA(pending.c_str());
    return false;
  }
  for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
    if (MoveFileExA(pending.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    Sleep(kReplaceRetryMs);
  }
  DeleteFileA(pending.c_str());
  return false;
}

}  // namespace corvane
