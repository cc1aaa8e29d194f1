// The viewer's command line for backups and scripts, which does its work
// without showing the main dialog:
//
//   /export FILE_OR_FOLDER /format text|html|jsonl [/user NAME] [/buddy NAME]
//           [/from yyyy-mm-dd] [/to yyyy-mm-dd]
//   /delete-before yyyy-mm-dd [/user NAME] [/buddy NAME]
//   /search TEXT [/user NAME] [/buddy NAME] [/from yyyy-mm-dd] [/to yyyy-mm-dd]
//           [/said-by NAME]
//
// Any other command line opens the viewer, preselecting the quoted names as
// before.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/export/export_format.h"
#include "viewer/history_tree/history_entries.h"

#include "common/code_page_characters.h"

namespace corvane {

struct ScriptCommand {
  enum class Kind { kNone, kExport, kDeleteBefore, kSearch, kInvalid };
  Kind kind = Kind::kNone;
  std::string error;        // kInvalid: the reason, one line
  std::string destination;  // kExport
  ExportFormat format = ExportFormat::kText;
  // The folders of /user and /buddy (see HistoryFolderName); empty: all.
  std::string user;
  std::string buddy;
  std::optional<CalendarDate> from;  // kExport and kSearch, both ends included
  std::optional<CalendarDate> to;
  CalendarDate before{};  // kDeleteBefore
  std::string query;      // kSearch; may be empty when saidBy is not
  std::string saidBy;
};

// The arguments as Windows programs split a command line: the program's
// own name first (quotes only), then words parted by blanks, where double
// quotes group, 2n backslashes before a quote stand for n and open or close
// it, 2n+1 for n and a quote, and other backslashes are themselves.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// kNone unless the first argument after the program is /export,
// /delete-before or /search (in any case).  /user and /buddy names are read in the
// code page of `lead`.
ScriptCommand ParseScriptCommand(std::string_view commandLine, const LeadBytes& lead);

}  // namespace corvane
