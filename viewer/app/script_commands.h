// /export, /delete-before and /search run without a window, for backups and
// scripts.
#pragma once

#include <string>

#include "viewer/app/script_command_line.h"

namespace corvane {

// The process's exit codes.
enum ScriptExitCode : int {
  kScriptDone = 0,
  kScriptNoHistoryFolder = 1,  // as when the viewer itself finds none
  kScriptBadCommandLine = 2,
  kScriptFailed = 3,
  kScriptNoMatches = 4,  // a search found nothing
};

// Runs the command on the history in `historyFolder` ("" when none is
// set).  A failure's reason goes to standard error as one line, or into a
// message box when the program has nowhere to write it; what was done goes
// to standard output, when there is one.
int RunScriptCommand(const ScriptCommand& command, const std::string& historyFolder);

}  // namespace corvane
