// Where an export may go: a file for text and JSON Lines, a folder for HTML,
// never inside the history folder, where the viewer would list it.
#pragma once

#include <string>

#include "viewer/export/export_format.h"

namespace corvane {

// The path made absolute against the current folder, with the long names
// of its folders that exist ("" when it cannot be made so).
std::string FullExportPath(const std::string& path);

// Empty when the export may be written to `destination` (a full path);
// otherwise the reason, one sentence for the window and the command line.
std::string RefuseExportDestination(const std::string& historyFolder, ExportFormat format,
                                    const std::string& destination);

}  // namespace corvane
