// One file of an export, written under a temporary name beside the place
// it goes to and given its own name only when the whole export is done, so
// that a cancelled or failed export leaves nothing half-written.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/unique_handle.h"

namespace corvane {

class ExportFile {
 public:
  ExportFile() = default;
  // A file never committed is deleted.
  ~ExportFile();
  ExportFile(const ExportFile&) = delete;
  ExportFile& operator=(const ExportFile&) = delete;

  // Creates the temporary file in the folder of `destination`.
  bool Open(const std::string& destination, std::string& error);
  bool Write(std::string_view bytes, std::string& error);
  // Flushes the file to the disk and closes it; it keeps its temporary name.
  bool Finish(std::string& error);
  // Gives the finished file its name, in place of any file of that name.
  bool Commit(std::string& error);

 private:
  void Close();

  std::string destination_;
  std::string temporary_;
  KernelHandle handle_;
  bool committed_ = false;
};

// "Cannot write C:\x.txt: Access denied." with the system's reason for the
// last error.
std::string FileError(const char* doing, const std::string& path);

}  // namespace corvane
