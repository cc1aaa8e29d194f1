// What the export window, the Delete Old Days dialog and the command line
// say, as plain functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/history_tree/history_entries.h"

namespace corvane {

// "all users", "alice", or "alice and bob": whose history a scope holds.
std::string ScopeText(const std::string& user, const std::string& buddy);

// "56.7 MB" (mebibytes, as the viewer's size total counts them), "12.0 KB"
// below one, "512 bytes" below a kilobyte.
std::string SizeText(std::uint64_t bytes);

// "1,234 days (56.7 MB) before 2005-01-01 for all users".
std::string DeletePreviewText(std::size_t days, std::uint64_t bytes, const CalendarDate& before,
                              const std::string& scope);

// The second question before deleting: the count and the date once more.
// What Delete Old Days leaves of the days reached through a link, after its
// preview (" (3 days reached through a link are left)") or once it has
// deleted (" (1 day reached through a link was left)"); "" for none.
std::string LinkedDaysLeftText(std::size_t days, bool deleted);

std::string DeleteQuestionText(std::size_t days, const CalendarDate& before,
                               const std::string& scope);

// "Exporting... 123 of 2,345 days".
std::string ExportProgressText(std::size_t done, std::size_t total);

// "Exported 2,345 days (1.23 s)", or "... into 321 files" for HTML.
std::string ExportDoneText(std::size_t days, std::size_t files, bool oneFileABuddy, double seconds);

}  // namespace corvane
