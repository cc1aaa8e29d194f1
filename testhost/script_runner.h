// Runs script lines one after another from the message loop, so windows
// stay responsive and timers of subclasses keep running meanwhile.
#pragma once

#include <vector>

#include "testhost/script_command.h"

namespace testhost {

void StartScript(const std::vector<ScriptLine>& lines);

}  // namespace testhost
