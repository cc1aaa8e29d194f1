// An export from start to end: the days in scope and range listed, read in
// order (with the day reader's read-ahead and sharing), converted as the view
// shows them, written and only then given their names.  The window runs it
// on a thread of its own, the command line on its main thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "viewer/days/day_reader.h"
#include "viewer/days/day_scope.h"
#include "viewer/export/export_format.h"

namespace corvane {

struct ExportRequest {
  std::string historyFolder;
  ExportFormat format = ExportFormat::kText;
  std::string destination;  // a file; for HTML a folder (made if missing)
  HistoryScope scope;
  std::optional<CalendarDate> from;  // both ends included; none: open
  std::optional<CalendarDate> to;
};

struct ExportOutcome {
  enum class Result { kDone, kCancelled, kFailed };
  Result result = Result::kDone;
  std::string error;  // kFailed: why, one sentence
  std::size_t days = 0;
  std::size_t files = 0;
};

// `progress` hears (days written, days to write) after each day; the export
// stops before its next day once `cancelled` is set, and waits before each
// day while `gate` is held (the window holds it while it draws).  Nothing
// of a cancelled or failed export is left on the disk.
ExportOutcome RunExport(const ExportRequest& request, const std::atomic<bool>& cancelled,
                        const std::function<void(std::size_t, std::size_t)>& progress,
                        ReadGate& gate);

}  // namespace corvane
