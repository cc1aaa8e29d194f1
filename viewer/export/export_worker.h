// An export on a thread of its own for the export window, which hears of
// its progress and its end by a message.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <memory>

#include "common/joined_thread.h"
#include "viewer/export/export_run.h"

namespace corvane {

struct ExportStatus {
  std::size_t done = 0;   // days written
  std::size_t total = 0;  // days to write; 0 while they are listed
  bool finished = false;
  ExportOutcome outcome;  // once finished
};

class ExportWorker {
 public:
  // Starts the export; posts `message` to `window` whenever there is news
  // the window has not taken yet.
  ExportWorker(HWND window, UINT message, ExportRequest request);
  // Cancels and waits for the export to end, so that it has removed what
  // it wrote before the program can end.
  ~ExportWorker() = default;
  ExportWorker(const ExportWorker&) = delete;
  ExportWorker& operator=(const ExportWorker&) = delete;

  void Cancel();
  ExportStatus Take();

  // Holds the export's threads before their next day until Release: the
  // window calls them around drawing its progress, which would otherwise
  // share a core with them (Wine ignores their lower priority).
  void Hold();
  void Release();

 private:
  struct State;
  std::shared_ptr<State> state_;
  JoinedThread thread_;
};

}  // namespace corvane
