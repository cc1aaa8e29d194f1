// What writing a session's block needs of the file system, for one day
// file: the library's own (Win32), the benchmark's (POSIX) and the tests'
// (in memory, with faults on request) all offer the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class DayFileStore {
 public:
  virtual ~DayFileStore() = default;

  virtual bool Exists() = 0;

  // Opens the file for one write, sharing it so that readers may go on
  // reading it (and deleting it), and says how long it is.  Nothing when it
  // cannot be opened.  Close ends the write; nothing stays open after it.
  virtual std::optional<std::uint64_t> Open() = 0;
  virtual void Close() = 0;

  // While open: `length` bytes from `offset`; false unless all were read.
  virtual bool Read(std::uint64_t offset, std::size_t length, std::string& bytes) = 0;
  // While open: writes `bytes` at `offset`, ends the file after them and
  // flushes it to the disk.
  virtual bool WriteTail(std::uint64_t offset, std::string_view bytes) = 0;

  // While closed: writes `content` under a temporary name, flushes it and
  // moves it over the file (or, when `replacing` is false, to the file's
  // name, which must then still be free), so that at every instant the file
  // holds either all of its old content or all of the new.  False when the
  // content could not be put in place; the file is then as it was.  Most
  // often another program holds the file open (on Windows without delete
  // sharing; under Wine with any handle at all).
  virtual bool Replace(std::string_view content, bool replacing) = 0;
};

}  // namespace corvane
