// Reads day files on threads of their own, a few megabytes ahead of their
// user (the search's matcher, the export's writer, the indexer), which gets
// them in order, so that opening and reading the next files (most of a
// search's time under Wine) overlaps working on this one.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "common/joined_thread.h"

namespace corvane {

// Lets a window hold the threads that read and work on days while it draws
// what they found.  They keep every core busy, and Wine does not lower
// their priority as Windows does, so the window's drawing would share a
// core with them and take two or three times as long.
class ReadGate {
 public:
  void Hold();
  void Release();
  // The reading threads, before each file: waits while the window holds.
  void Pass();

 private:
  std::atomic<bool> held_{false};
  std::mutex lock_;
  std::condition_variable released_;
};

class DayReader {
 public:
  // Starts reading at once; passes `gate` before each file.  `prepare`,
  // when given, turns each file's bytes into what the reader's user wants
  // of them, on the reading threads, each with a copy of its own.
  DayReader(std::vector<std::string> paths, ReadGate& gate,
            std::function<void(std::string&)> prepare = nullptr);
  // Stops the reading after the file in hand and waits for it.
  ~DayReader() = default;
  DayReader(const DayReader&) = delete;
  DayReader& operator=(const DayReader&) = delete;

  // The next file's bytes, swapped into `html` (whose old buffer is kept
  // for a later file); empty bytes for a file that could not be read.
  // False after the last file.
  bool Next(std::string& html);
  // The same, and whether the file was read.
  bool Next(std::string& html, bool& read);

 private:
  void ReadAll();

  struct Ready {
    std::string bytes;
    bool read = false;
  };

  const std::vector<std::string> paths_;
  ReadGate& gate_;
  const std::function<void(std::string&)> prepare_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::map<std::size_t, Ready> ready_;  // under lock_: by the file's index
  std::vector<std::string> spare_;      // under lock_: emptied buffers to read into
  std::size_t readyBytes_ = 0;          // under lock_
  std::size_t nextToRead_ = 0;          // under lock_
  std::size_t nextToGive_ = 0;          // under lock_
  bool stop_ = false;                   // under lock_
  JoinedThread threads_[2];             // last: stopped before the rest goes
};

}  // namespace corvane
