#include "viewer/export/export_file.h"

#include <shlwapi.h>

#include "common/capacities.h"

namespace corvane {

std::string FileError(const char* doing, const std::string& path) {
  const DWORD code = GetLastError();
  char reason[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 reason, sizeof reason, nullptr);
  std::string text = std::string(doing) + " " + path + ": " + reason;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  if (reason[0] == '\0') text += "error " + std::to_string(code);
  return text;
}

ExportFile::~ExportFile() {
  Close();
  if (!committed_ && !temporary_.empty()) DeleteFileA(temporary_.c_str());
}

void ExportFile::Close() { handle_.Reset(); }

bool ExportFile::Open(const std::string& destination, std::string& error) {
  destination_ = destination;
  char folder[kPathCapacity];
  char temporary[MAX_PATH];
  if (destination.size() >= sizeof folder) {
    error = "The path is too long: " + destination;
    return false;
  }
  lstrcpynA(folder, destination.c_str(), sizeof folder);
  PathRemoveFileSpecA(folder);
  if (folder[0] == '\0') lstrcpyA(folder, ".");
  // The name ends in .tmp: never a day file, never the export's own name.
  if (GetTempFileNameA(folder, "cvx", 0, temporary) == 0) {
    error = FileError("Cannot write into", folder);
    return false;
  }
  temporary_ = temporary;
  handle_.Reset(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!handle_) {
    error = FileError("Cannot write", temporary_);
    return false;
  }
  return true;
}

bool ExportFile::Write(std::string_view bytes, std::string& error) {
  while (!bytes.empty()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 24));
    DWORD written = 0;
    if (!WriteFile(handle_.Get(), bytes.data(), piece, &written, nullptr) || written == 0) {
      error = FileError("Cannot write", destination_);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool ExportFile::Finish(std::string& error) {
  const bool flushed = FlushFileBuffers(handle_.Get()) != FALSE;
  if (!flushed) error = FileError("Cannot write", destination_);
  Close();
  return flushed;
}

bool ExportFile::Commit(std::string& error) {
  if (!MoveFileExA(temporary_.c_str(), destination_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = FileError("Cannot save", destination_);
    return false;
  }
  committed_ = true;
  return true;
}

}  // namespace corvane
