// A day file held in memory, for the tests and the fuzzer: it counts what a
// write reads and writes, and can refuse or cut short what a real disk or
// another program might.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hooklib/history/day_file_store.h"

namespace corvane {

class MemoryDayFile final : public DayFileStore {
 public:
  std::optional<std::string> content;  // nothing: there is no file
  bool holdOpen = false;               // another program holds it open: no replace
  bool lockedAway = false;             // another program holds it without sharing: no open either
  // The writer is cut off (killed, or the power fails) after this many more
  // bytes reach the file: the in-place write stops there, unended and
  // unflushed, and a replace that would need more never takes place.
  std::optional<std::size_t> bytesUntilCutOff;

  std::size_t bytesRead = 0;
  std::size_t bytesWritten = 0;  // in place and through replaces
  bool isOpen = false;

  bool Exists() override;
  std::optional<std::uint64_t> Open() override;
  void Close() override;
  bool Read(std::uint64_t offset, std::size_t length, std::string& bytes) override;
  bool WriteTail(std::uint64_t offset, std::string_view bytes) override;
  bool Replace(std::string_view content, bool replacing) override;

 private:
  // How many of `wanted` bytes get written before the cut-off.
  std::size_t Allowance(std::size_t wanted);
};

// What a write of the session's block does to the day file, done plainly:
// the block, found anew, replaced by the rewrite form of `text` (or
// appended).  Every write route is held to it.
std::string RewriteDayFile(std::string_view disk, std::string_view sessionKey,
                           std::string_view text);

}  // namespace corvane
