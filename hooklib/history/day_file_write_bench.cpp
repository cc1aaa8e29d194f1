// The library's own WriteHistory timed under Windows (or Wine): the same
// files and routes as the native day_file_bench (day_file_bench_cases.h),
// with the Win32 file calls the library ships.  The history folder is made
// in the temporary folder and removed afterwards.  Another program holding
// the day file is played by a second handle that shares it for reading and
// writing only.  A second table times the day file alone (the library's
// Win32DayFile through the same routes), without making and finding the
// history folders; "flush alone" is one FlushFileBuffers after a small write
// to the same disk.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/unique_handle.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/history/day_file_bench_cases.h"
#include "hooklib/history/day_file_io.h"
#include "hooklib/history/write_history.h"

namespace {

using Clock = std::chrono::steady_clock;
using corvane::BenchRoute;
using corvane::WriteBenchCase;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

corvane::LocalClockTime FixedNow() { return {2002, 6, 14, 5, 21, 30, 0}; }

// Flushed as the write before it left it: otherwise the timed write would
// pay for putting the restored megabytes on the disk.
bool Restore(const std::string& path, const std::string& bytes) {
  const corvane::KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD wrote = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
         wrote == bytes.size() && FlushFileBuffers(file.Get());
}

double FlushAlone(const std::string& folder) {
  const std::string path = folder + "\\flush.tmp";
  std::vector<double> times;
  {
    const corvane::KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    for (int i = 0; i < 50 && file; ++i) {
      DWORD wrote = 0;
      WriteFile(file.Get(), "<BR>hello</BODY></HTML><BR>\r\n", 29, &wrote, nullptr);
      const auto start = Clock::now();
      FlushFileBuffers(file.Get());
      times.push_back(Milliseconds(Clock::now() - start));
    }
  }
  DeleteFileA(path.c_str());
  return times.empty() ? -1 : corvane::Summarize(times, {}).medianMs;
}

// WriteHistory, or the day file alone.
bool Run(const WriteBenchCase& c, const std::string& history, bool wholeWrite) {
  const std::string path = history + "\\alice\\bob\\" + corvane::DayFileName(2002, 6, 14, 5);
  std::vector<double> totals;
  for (int i = 0; i < c.iterations; ++i) {
    if (!Restore(path, c.disk)) return false;
    corvane::DayFileMark mark = c.mark;
    mark.path = path;
    corvane::KernelHandle reader;
    if (c.route == BenchRoute::kInPlace) {
      reader.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    corvane::Win32DayFile file(
        path, history + "\\alice\\bob\\" + corvane::TemporaryDayFileName(2002, 6, 14, 1));
    const auto start = Clock::now();
    if (wholeWrite)
      corvane::WriteHistory(history.c_str(), "alice", "bob", c.sessionKey.c_str(), c.text, mark);
    else
      corvane::WriteSessionBlock(file, c.sessionKey, c.text, mark);
    totals.push_back(Milliseconds(Clock::now() - start));
  }
  corvane::PrintWriteBenchRow(c, corvane::Summarize(totals, {}));
  return true;
}

}  // namespace

int main() {
  corvane::SetLocalTimeSource(FixedNow);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string root =
      std::string(temp) + "day_file_write_bench." + std::to_string(GetCurrentProcessId());
  const std::string history = root + "\\History";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA(history.c_str(), nullptr);
  CreateDirectoryA((history + "\\alice").c_str(), nullptr);
  CreateDirectoryA((history + "\\alice\\bob").c_str(), nullptr);

  int status = 0;
  const std::vector<WriteBenchCase> cases = corvane::WriteBenchCases();
  for (const bool wholeWrite : {true, false}) {
    corvane::PrintWriteBenchHeader(
        wholeWrite ? "Day-file writes, WriteHistory (Win32), a 60,000-character "
                     "conversation + 1 message"
                   : "The day file alone (Win32DayFile), the same writes");
    for (const WriteBenchCase& c : cases) {
      if (status == 0 && !Run(c, history, wholeWrite)) {
        std::fprintf(stderr, "day_file_write_bench: cannot restore the day file in %s\n",
                     history.c_str());
        status = 1;
      }
    }
    std::printf("\n");
  }
  std::printf("flush alone: %.3f ms\n", FlushAlone(history));

  const std::string day = history + "\\alice\\bob\\" + corvane::DayFileName(2002, 6, 14, 5);
  DeleteFileA(day.c_str());
  RemoveDirectoryA((history + "\\alice\\bob").c_str());
  RemoveDirectoryA((history + "\\alice").c_str());
  RemoveDirectoryA(history.c_str());
  RemoveDirectoryA(root.c_str());
  return status;
}
