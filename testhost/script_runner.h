// Runs script lines one after another from the message loop, so windows
// stay responsive and timers of subclasses keep running meanwhile.
#pragma once

#include <string>
#include <vector>

#include "testhost/script_command.h"

namespace testhost {

void StartScript(const std::vector<ScriptLine>& lines);

// What each command makes the host do (host_commands.cpp), all but `wait`,
// which belongs to the runner.  False, with *error set, when the command
// cannot be carried out.
bool ExecuteCommand(const Command& command, std::string* error);

}  // namespace testhost
