// The day file on a Windows disk.
#pragma once

#include <windows.h>

#include <string>

#include "hooklib/history/day_file_store.h"

#include "common/unique_handle.h"

namespace corvane {

class Win32DayFile final : public DayFileStore {
 public:
  // `temporary` names the file that new content takes until it replaces
  // the day file at `path`.
  Win32DayFile(std::string path, std::string temporary);
  ~Win32DayFile() override;
  Win32DayFile(const Win32DayFile&) = delete;
  Win32DayFile& operator=(const Win32DayFile&) = delete;

  bool Exists() override;
  std::optional<std::uint64_t> Open() override;
  void Close() override;
  bool Read(std::uint64_t offset, std::size_t length, std::string& bytes) override;
  bool WriteTail(std::uint64_t offset, std::string_view bytes) override;
  bool Replace(std::string_view content, bool replacing) override;

 private:
  std::string path_;
  std::string temporary_;
  KernelHandle handle_;
};

}  // namespace corvane
