// The write routes of a session's block on this machine's disk, timed: see
// day_file_bench_cases.h for the files.  The day file lives in a folder of
// its own under /tmp (or $TMPDIR).  Build it with optimisation (the `bench`
// preset) for figures worth comparing.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "hooklib/history/day_file_bench_cases.h"
#include "hooklib/history/day_file_store.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using corvane::BenchRoute;
using corvane::WriteBenchCase;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

bool WriteAll(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t wrote = pwrite(fd, bytes.data(), bytes.size(), offset);
    if (wrote <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
    offset += wrote;
  }
  return true;
}

// The day file on a POSIX disk, as the library's Win32 one does it: the same
// calls (open, pread, pwrite, ftruncate, fsync, rename) where Windows has
// CreateFile, ReadFile, WriteFile, SetEndOfFile, FlushFileBuffers and
// MoveFileEx.  `heldOpen` stands for another program that keeps the file
// from being replaced.
class PosixDayFile final : public corvane::DayFileStore {
 public:
  PosixDayFile(std::string path, std::string temporary)
      : path_(std::move(path)), temporary_(std::move(temporary)) {}
  ~PosixDayFile() override { Close(); }

  bool heldOpen = false;
  double flushMs = 0;  // spent in fsync

  bool Exists() override { return access(path_.c_str(), F_OK) == 0; }

  std::optional<std::uint64_t> Open() override {
    Close();
    fd_ = open(path_.c_str(), O_RDWR);
    struct stat status;
    if (fd_ < 0 || fstat(fd_, &status) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
  }

  void Close() override {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  bool Read(std::uint64_t offset, std::size_t length, std::string& bytes) override {
    bytes.resize(length);
    for (std::size_t done = 0; done < length;) {
      const ssize_t got =
          pread(fd_, &bytes[done], length - done, static_cast<off_t>(offset + done));
      if (got <= 0) return false;
      done += static_cast<std::size_t>(got);
    }
    return true;
  }

  bool WriteTail(std::uint64_t offset, std::string_view bytes) override {
    return WriteAll(fd_, bytes, static_cast<off_t>(offset)) &&
           ftruncate(fd_, static_cast<off_t>(offset + bytes.size())) == 0 && TimedFlush(fd_);
  }

  bool Replace(std::string_view content, bool replacing) override {
    if (replacing && heldOpen) return false;
    const int fd = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && WriteAll(fd, content, 0) && TimedFlush(fd);
    if (fd >= 0) close(fd);
    return written && rename(temporary_.c_str(), path_.c_str()) == 0;
  }

 private:
  bool TimedFlush(int fd) {
    const auto start = Clock::now();
    const bool flushed = fsync(fd) == 0;
    flushMs += Milliseconds(Clock::now() - start);
    return flushed;
  }

  std::string path_;
  std::string temporary_;
  int fd_ = -1;
};

// Flushed as the write before it left it: otherwise the timed write would
// pay for putting the restored megabytes on the disk.
bool Restore(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const bool written = fd >= 0 && WriteAll(fd, bytes, 0) && fsync(fd) == 0;
  if (fd >= 0) close(fd);
  return written;
}

// A folder of its own, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    const fs::path base = fs::temp_directory_path() / "day_file_bench.XXXXXX";
    std::string name = base.string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

bool Run(const WriteBenchCase& c, const fs::path& folder) {
  const std::string path = (folder / corvane::DayFileName(2002, 6, 14, 5)).string();
  const std::string temporary = (folder / corvane::TemporaryDayFileName(2002, 6, 14, 1)).string();
  std::vector<double> totals, flushes;
  for (int i = 0; i < c.iterations; ++i) {
    if (!Restore(path, c.disk)) return false;
    corvane::DayFileMark mark = c.mark;
    PosixDayFile file(path, temporary);
    file.heldOpen = c.route == BenchRoute::kInPlace;
    const auto start = Clock::now();
    const corvane::DayFileRoute route =
        corvane::WriteSessionBlock(file, c.sessionKey, c.text, mark);
    totals.push_back(Milliseconds(Clock::now() - start));
    flushes.push_back(file.flushMs);
    if (route == corvane::DayFileRoute::kFailed) return false;
  }
  corvane::PrintWriteBenchRow(c, corvane::Summarize(totals, flushes));
  return true;
}

}  // namespace

int main() {
  ScratchFolder folder;
  if (folder.Path().empty()) {
    std::fprintf(stderr, "day_file_bench: cannot make a folder in %s\n",
                 fs::temp_directory_path().c_str());
    return 1;
  }
  corvane::PrintWriteBenchHeader(
      "Day-file writes, native (POSIX I/O), a 60,000-character conversation + 1 message");
  for (const WriteBenchCase& c : corvane::WriteBenchCases()) {
    if (!Run(c, folder.Path())) {
      std::fprintf(stderr, "day_file_bench: the %s write failed in %s\n",
                   corvane::RouteName(c.route), folder.Path().c_str());
      return 1;
    }
  }
  return 0;
}
