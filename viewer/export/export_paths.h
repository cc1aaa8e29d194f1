// Rules on the paths an export is given, as plain functions.
#pragma once

#include <string>
#include <string_view>

#include "common/code_page_characters.h"
#include "viewer/export/export_format.h"

namespace corvane {

// Whether `path` is `folder` or lies anywhere below it.  Both are full
// paths in the code page of `lead`, read by character; '/' and '\' separate
// alike, case is ignored for ASCII letters (the caller folds the code
// page's others first), a trailing separator does not count, and
// "C:\History2" is not inside "C:\History".
bool IsSameOrInsideFolder(std::string_view path, std::string_view folder, const LeadBytes& lead);

// The destination a user's path becomes when the format changes: a text
// file's ".txt" and a JSON Lines file's ".jsonl" swap, an HTML export's
// folder is the file's name without its extension, and a folder for text
// or JSON Lines gets the extension.  Other names are kept as they are.
std::string DestinationForFormat(std::string_view path, ExportFormat from, ExportFormat to,
                                 const LeadBytes& lead);

// The extension a single-file format's file is proposed with, ".txt" or
// ".jsonl"; empty for HTML, which fills a folder.
std::string_view FormatExtension(ExportFormat format);

}  // namespace corvane
