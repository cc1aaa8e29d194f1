#include "hooklib/history/day_file_io.h"

#include "common/unique_handle.h"

#include <utility>

namespace corvane {
namespace {

// Readers (the viewer, editors, backups) may go on reading the file while it
// is written, and the viewer may delete it.
constexpr DWORD kShareWithReaders = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool MoveTo(HANDLE file, std::uint64_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != FALSE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
        wrote == 0) {
      return false;
    }
    bytes.remove_prefix(wrote);
  }
  return true;
}

// A new file with `content`, flushed; no other program may open it meanwhile.
bool WriteNewFile(const std::string& path, std::string_view content) {
  const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.Get(), content) && FlushFileBuffers(file.Get());
}

}  // namespace

Win32DayFile::Win32DayFile(std::string path, std::string temporary)
    : path_(std::move(path)), temporary_(std::move(temporary)) {}

Win32DayFile::~Win32DayFile() { Close(); }

bool Win32DayFile::Exists() { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::optional<std::uint64_t> Win32DayFile::Open() {
  Close();
  handle_.Reset(CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, kShareWithReaders, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!handle_ || !GetFileSizeEx(handle_.Get(), &size)) {
    Close();
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(size.QuadPart);
}

void Win32DayFile::Close() { handle_.Reset(); }

bool Win32DayFile::Read(std::uint64_t offset, std::size_t length, std::string& bytes) {
  bytes.resize(length);
  if (!MoveTo(handle_.Get(), offset)) return false;
  for (std::size_t done = 0; done < length;) {
    DWORD got = 0;
    if (!ReadFile(handle_.Get(), &bytes[done], static_cast<DWORD>(length - done), &got, nullptr) ||
        got == 0) {
      return false;
    }
    done += got;
  }
  return true;
}

bool Win32DayFile::WriteTail(std::uint64_t offset, std::string_view bytes) {
  return MoveTo(handle_.Get(), offset) && WriteAll(handle_.Get(), bytes) &&
         SetEndOfFile(handle_.Get()) && FlushFileBuffers(handle_.Get());
}

bool Win32DayFile::Replace(std::string_view content, bool replacing) {
  if (WriteNewFile(temporary_, content)) {
    const DWORD how = MOVEFILE_WRITE_THROUGH | (replacing ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExA(temporary_.c_str(), path_.c_str(), how)) return true;
  }
  DeleteFileA(temporary_.c_str());
  return false;
}

}  // namespace corvane
